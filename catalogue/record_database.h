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

// Makes the file the current database. A file that cannot be opened as a
// catalogue leaves no current database and reports nothing.
bool OpenDatabase(std::string_view path);
void CloseDatabase();
bool HasCurrentDatabase();
void GoToFirstRecord();
std::int32_t GetRecordCount();  // 0 with no current database
std::int32_t GetRecordNumber();
void SkipRecord();
// Below 1 gives record 1, above the count the last record.
void GoToRecord(std::int32_t number);
// Fatal error with no current database or a field number the record lacks.
FieldValue ReadField(int fieldNumber);

}  // namespace RecordDatabase
