#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The record database engine: one current database (the game catalogue) and
// one record pointer. Records are numbered from 1 in file order.
namespace RecordDatabase {

enum class FieldType : std::uint8_t { Byte, Int16, Int32, Int64, Float32, Float64, Text };

// A field as stored: integers in `integer` (a byte zero-extended, the others
// sign-extended), reals in `real`, text (GBK bytes) in `text`.
struct FieldValue {
    FieldType type = FieldType::Int32;
    std::int64_t integer = 0;
    double real = 0.0;
    std::string text;
};

// Equal type and equal value in the member that type uses.
inline bool operator==(const FieldValue& a, const FieldValue& b) {
    if (a.type != b.type) return false;
    switch (a.type) {
        case FieldType::Text:
            return a.text == b.text;
        case FieldType::Float32:
        case FieldType::Float64:
            return a.real == b.real;
        default:
            return a.integer == b.integer;
    }
}

// Makes the file the current database. A file that cannot be opened as a
// catalogue leaves no current database and reports nothing.
bool OpenDatabase(std::string_view path);
// The same from the file's bytes already in memory.
bool OpenDatabaseFromBytes(std::string bytes);
void CloseDatabase();
bool HasCurrentDatabase();
void GoToFirstRecord();
std::int32_t GetRecordCount();  // 0 with no current database
// 0 with no current database; the count plus one when the pointer has moved
// past the last record (and 1 in an empty catalogue).
std::int32_t GetRecordNumber();
// Past the last record the pointer stays past the end.
void SkipRecord();
// Below 1 gives record 1, above the count the last record.
void GoToRecord(std::int32_t number);
// Fatal error with no current database or a field number the record lacks.
FieldValue ReadField(int fieldNumber);

}  // namespace RecordDatabase
