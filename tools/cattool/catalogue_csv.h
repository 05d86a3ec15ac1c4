#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue_file.h"

// The catalogue as UTF-8 CSV: a header line with the six columns below, one
// game per line. A number cell may choose its stored type with a suffix:
// "512:i64"; without one an integer takes the narrowest of u8, i16, i32, i64
// and a real takes f64. "text:str" stores text in a number column.
namespace CatalogueCsv {

inline constexpr const char* kColumns[] = {"name",     "type",          "cpuMhz",
                                           "memoryMb", "videoMemoryMb", "diskGb"};
inline constexpr std::size_t kColumnCount = 6;

struct CsvRow {
    std::size_t line = 0;  // where the row starts, 1-based
    std::vector<std::string> cells;
};

// RFC 4180 cells: quoted cells may hold commas, doubled quotes and line
// breaks; lines end in LF or CRLF. Empty lines are skipped.
bool ParseCsv(std::string_view text, std::vector<CsvRow>& rows, std::string& error);

// One number column's cell; `error` says why it is not a value.
std::optional<Catalogue::FieldValue> ParseNumberCell(std::string_view cell, std::string& error);
// The cell that ParseNumberCell reads back as the same value and stored type,
// in its shortest spelling.
std::string FormatNumberCell(const Catalogue::FieldValue& value);

// The whole CSV; errors name the line, the column and what is wrong.
bool CsvToRecords(std::string_view csv, std::vector<Catalogue::CatalogueRecord>& records,
                  std::string& error);
bool RecordsToCsv(const Catalogue::CatalogueFile& file, std::string& csv, std::string& error);

}  // namespace CatalogueCsv
