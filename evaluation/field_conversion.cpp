#include "evaluation/field_conversion.h"

#include <string_view>

#include "runtime/convert.h"
#include "runtime/fatal.h"

using RecordDatabase::FieldType;
using RecordDatabase::FieldValue;

namespace {

[[noreturn]] void FailAt(int code, std::string_view what, FieldPlace place) {
    std::string message(what);
    message += "（记录 ";
    message += IntToText(place.record);
    message += "，字段 ";
    message += IntToText(place.field);
    message += "）";
    FatalError(code, message);
}

}  // namespace

std::int32_t FieldToInt32(const FieldValue& value, FieldPlace place) {
    switch (value.type) {
        case FieldType::Byte:
            return static_cast<std::uint8_t>(value.integer);
        case FieldType::Int16:
            return static_cast<std::int16_t>(value.integer);
        case FieldType::Int32:
            return static_cast<std::int32_t>(value.integer);
        case FieldType::Int64:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(value.integer));
        case FieldType::Float32:
        case FieldType::Float64:
            return TruncateToInt32(value.real);
        case FieldType::Text:
            break;
    }
    FailAt(kFatalNumberExpected, "未得到所需要的数值型数据", place);
}

const std::string& FieldText(const FieldValue& value, FieldPlace place) {
    if (value.type != FieldType::Text) FailAt(kFatalTypeMismatch, "数据或数组类型不匹配", place);
    return value.text;
}

std::string FieldToDisplayText(const FieldValue& value, FieldPlace place) {
    switch (value.type) {
        case FieldType::Text:
            return value.text;
        case FieldType::Byte:
        case FieldType::Int16:
        case FieldType::Int32:
        case FieldType::Int64:
            return IntToText(value.integer);
        case FieldType::Float32:
        case FieldType::Float64:
            return RealToText(value.real);
    }
    FailAt(kFatalTypeMismatch, "数据或数组类型不匹配", place);
}
