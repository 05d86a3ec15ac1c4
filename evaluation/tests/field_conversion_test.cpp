#include "evaluation/field_conversion.h"

#include <gtest/gtest.h>

#include <climits>

#include "evaluation/tests/exit_report.h"
#include "runtime/fatal.h"

namespace {

using RecordDatabase::FieldType;
using RecordDatabase::FieldValue;

FieldValue Integer(FieldType type, std::int64_t integer) {
    FieldValue v;
    v.type = type;
    v.integer = integer;
    return v;
}

FieldValue Real(FieldType type, double real) {
    FieldValue v;
    v.type = type;
    v.real = real;
    return v;
}

FieldValue Text(std::string text) {
    FieldValue v;
    v.type = FieldType::Text;
    v.text = std::move(text);
    return v;
}

constexpr FieldPlace kPlace{7, 5};

TEST(FieldToInt32, ConvertsEveryNumberType) {
    struct Case {
        FieldValue value;
        std::int32_t expected;
    } cases[] = {
        {Integer(FieldType::Byte, 200), 200},  // zero-extended, not -56
        {Integer(FieldType::Byte, 0), 0},
        {Integer(FieldType::Int16, -2), -2},
        {Integer(FieldType::Int16, 32767), 32767},
        {Integer(FieldType::Int32, INT_MIN), INT_MIN},
        {Integer(FieldType::Int32, 2048), 2048},
        {Integer(FieldType::Int64, 0x100000005LL), 5},  // low 32 bits
        {Integer(FieldType::Int64, 0xFFFFFFFFLL), -1},
        {Integer(FieldType::Int64, 0x80000000LL), INT_MIN},
        {Integer(FieldType::Int64, -3), -3},
        {Real(FieldType::Float32, 2.75), 2},  // toward zero
        {Real(FieldType::Float32, -2.75), -2},
        {Real(FieldType::Float64, 2048.999), 2048},
        {Real(FieldType::Float64, -0.5), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldToInt32(c.value, kPlace), c.expected)
            << "type " << static_cast<int>(c.value.type) << " integer " << c.value.integer
            << " real " << c.value.real;
}

TEST(FieldToInt32DeathTest, TextEndsTheProgramNamingRecordAndField) {
    EXPECT_EXIT(FieldToInt32(Text("2048"), kPlace), testing::ExitedWithCode(kFatalNumberExpected),
                ContainsBytes("未得到所需要的数值型数据（记录 7，字段 5）"));
}

TEST(FieldText, GivesTheTextOfATextField) {
    EXPECT_EQ(FieldText(Text("星际Online"), kPlace), "星际Online");
    EXPECT_EQ(FieldText(Text(""), kPlace), "");
}

TEST(FieldTextDeathTest, ANumberIsATypeMismatch) {
    EXPECT_EXIT(FieldText(Integer(FieldType::Int32, 1), FieldPlace{12, 1}),
                testing::ExitedWithCode(kFatalTypeMismatch),
                ContainsBytes("数据或数组类型不匹配（记录 12，字段 1）"));
}

TEST(FieldToDisplayText, KeepsTextAndPrintsNumbersInDecimal) {
    struct Case {
        FieldValue value;
        const char* expected;
    } cases[] = {
        {Text("高"), "高"},
        {Integer(FieldType::Byte, 255), "255"},
        {Integer(FieldType::Int16, -300), "-300"},
        {Integer(FieldType::Int64, 5000000000LL), "5000000000"},
        {Real(FieldType::Float64, 1.5), "1.5"},
        {Real(FieldType::Float32, 512.0), "512"},
    };
    for (const Case& c : cases) EXPECT_EQ(FieldToDisplayText(c.value, kPlace), c.expected);
}

TEST(FieldToDisplayTextDeathTest, AnUnknownStoredTypeIsATypeMismatch) {
    FieldValue corrupt = Integer(FieldType::Int32, 1);
    corrupt.type = static_cast<FieldType>(42);
    EXPECT_EXIT(FieldToDisplayText(corrupt, kPlace), testing::ExitedWithCode(kFatalTypeMismatch),
                ContainsBytes("数据或数组类型不匹配"));
}

}  // namespace
