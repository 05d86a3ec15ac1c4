#pragma once
#include <cstdint>
#include <string>

#include "catalogue/record_database.h"

// How the readers of the catalogue take a field's stored value. A field of a
// type the reader cannot use is fatal; the report names the record and field.

struct FieldPlace {
    std::int32_t record;
    int field;
};

// Integers by their width (a byte zero-extended, 16 bits sign-extended, 64
// bits cut to the low 32), reals truncated toward zero. Anything else ends
// the program with kFatalNumberExpected.
std::int32_t FieldToInt32(const RecordDatabase::FieldValue& value, FieldPlace place);
// The text of a text field; anything else ends the program with
// kFatalTypeMismatch.
const std::string& FieldText(const RecordDatabase::FieldValue& value, FieldPlace place);
// A text field unchanged, a number in decimal. Anything else ends the program
// with kFatalTypeMismatch.
std::string FieldToDisplayText(const RecordDatabase::FieldValue& value, FieldPlace place);
