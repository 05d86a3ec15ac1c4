#include "tools/cattool/catalogue_csv.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "tools/cattool/text_encoding.h"

namespace CatalogueCsv {
namespace {

using Catalogue::FieldType;
using Catalogue::FieldValue;

struct Suffix {
    const char* name;
    FieldType type;
};
constexpr Suffix kSuffixes[] = {
    {"u8", FieldType::Byte},   {"i16", FieldType::Int16},   {"i32", FieldType::Int32},
    {"i64", FieldType::Int64}, {"f32", FieldType::Float32}, {"f64", FieldType::Float64},
    {"str", FieldType::Text},
};

const char* SuffixOf(FieldType type) {
    for (const Suffix& s : kSuffixes)
        if (s.type == type) return s.name;
    return "";
}

// The text in single quotes, for messages.
std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\'';
    quoted += text;
    quoted += '\'';
    return quoted;
}

bool IsIntegerSyntax(std::string_view text) {
    std::size_t i = text.starts_with('-') ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

template <typename T>
bool ParseWhole(std::string_view text, T& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

FieldType NarrowestIntegerType(std::int64_t value) {
    if (value >= 0 && value <= 0xFF) return FieldType::Byte;
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max())
        return FieldType::Int16;
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max())
        return FieldType::Int32;
    return FieldType::Int64;
}

bool FitsIntegerType(std::int64_t value, FieldType type) {
    switch (type) {
        case FieldType::Byte:
            return NarrowestIntegerType(value) == FieldType::Byte;
        case FieldType::Int16:
            return value >= std::numeric_limits<std::int16_t>::min() &&
                   value <= std::numeric_limits<std::int16_t>::max();
        case FieldType::Int32:
            return value >= std::numeric_limits<std::int32_t>::min() &&
                   value <= std::numeric_limits<std::int32_t>::max();
        default:
            return true;
    }
}

const char* RangeOf(FieldType type) {
    switch (type) {
        case FieldType::Byte:
            return "0 to 255";
        case FieldType::Int16:
            return "-32768 to 32767";
        case FieldType::Int32:
            return "-2147483648 to 2147483647";
        default:
            return "a 64-bit integer";
    }
}

// Control characters are never wanted in a list of game names; a stray tab
// or line break is a mistake in the CSV.
bool ToText(std::string_view utf8, std::string& gbk, std::string& error) {
    for (char c : utf8)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            error = "holds a control character (such as a tab or a line break)";
            return false;
        }
    return ToCatalogueText(utf8, gbk, error);
}

std::string QuoteIfNeeded(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

bool ParseCsv(std::string_view text, std::vector<CsvRow>& rows, std::string& error) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // byte order mark
    std::size_t pos = 0;
    std::size_t line = 1;
    const auto atLineEnd = [&](std::size_t at) {
        return at < text.size() && (text[at] == '\n' || (text[at] == '\r' && at + 1 < text.size() &&
                                                         text[at + 1] == '\n'));
    };
    const auto skipLineEnd = [&]() {
        pos += text[pos] == '\r' ? 2 : 1;
        ++line;
    };
    while (pos < text.size()) {
        if (atLineEnd(pos)) {  // an empty line
            skipLineEnd();
            continue;
        }
        CsvRow row;
        row.line = line;
        for (;;) {
            const std::string where =
                "line " + std::to_string(line) + ", column " + std::to_string(row.cells.size() + 1);
            std::string cell;
            if (pos < text.size() && text[pos] == '"') {
                ++pos;
                for (;;) {
                    if (pos >= text.size()) {
                        error = where + ": the quoted cell is never closed";
                        return false;
                    }
                    if (text[pos] == '"') {
                        if (pos + 1 < text.size() && text[pos + 1] == '"') {
                            cell += '"';
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    if (text[pos] == '\n') ++line;
                    cell += text[pos++];
                }
                if (pos < text.size() && text[pos] != ',' && !atLineEnd(pos)) {
                    error = where +
                            ": text after the closing quote (write a quote inside a quoted cell as "
                            "\"\")";
                    return false;
                }
            } else {
                while (pos < text.size() && text[pos] != ',' && !atLineEnd(pos)) {
                    if (text[pos] == '"') {
                        error = where + ": a quote inside an unquoted cell (quote the whole cell)";
                        return false;
                    }
                    cell += text[pos++];
                }
            }
            row.cells.push_back(std::move(cell));
            if (pos < text.size() && text[pos] == ',') {
                ++pos;
                continue;
            }
            break;
        }
        rows.push_back(std::move(row));
        if (pos < text.size()) skipLineEnd();
    }
    return true;
}

std::optional<FieldValue> ParseNumberCell(std::string_view cell, std::string& error) {
    std::string_view body = cell;
    std::optional<FieldType> chosen;
    if (const auto colon = cell.rfind(':'); colon != std::string_view::npos) {
        const std::string_view suffix = cell.substr(colon + 1);
        for (const Suffix& s : kSuffixes)
            if (suffix == s.name) chosen = s.type;
        if (chosen) body = cell.substr(0, colon);
    }
    FieldValue value;
    if (chosen == FieldType::Text) {
        value.type = FieldType::Text;
        if (!ToText(body, value.text, error)) return std::nullopt;
        return value;
    }
    if (body.empty()) {
        error = "the cell is empty; a number is needed";
        return std::nullopt;
    }
    const bool wantsInteger =
        chosen && *chosen != FieldType::Float32 && *chosen != FieldType::Float64;
    if (IsIntegerSyntax(body) && (!chosen || wantsInteger)) {
        if (!ParseWhole(body, value.integer)) {
            error = Quoted(body) + " is too large for a 64-bit integer";
            return std::nullopt;
        }
        value.type = chosen ? *chosen : NarrowestIntegerType(value.integer);
        if (!FitsIntegerType(value.integer, value.type)) {
            error = Quoted(body) + " does not fit :" + SuffixOf(value.type) + " (" +
                    RangeOf(value.type) + ")";
            return std::nullopt;
        }
        return value;
    }
    if (wantsInteger) {
        error = Quoted(body) + " is not an integer, as :" + SuffixOf(*chosen) + " needs";
        return std::nullopt;
    }
    if (!ParseWhole(body, value.real) || !std::isfinite(value.real)) {
        error =
            Quoted(cell) + " is not a number (text in a number column is written as 'text:str')";
        return std::nullopt;
    }
    value.type = chosen.value_or(FieldType::Float64);
    if (value.type == FieldType::Float32) {
        if (std::fabs(value.real) > std::numeric_limits<float>::max()) {
            error = Quoted(body) + " is too large for :f32";
            return std::nullopt;
        }
        value.real = static_cast<float>(value.real);
    }
    return value;
}

std::string FormatNumberCell(const FieldValue& value) {
    char buffer[64];
    switch (value.type) {
        case FieldType::Byte:
        case FieldType::Int16:
        case FieldType::Int32:
        case FieldType::Int64: {
            std::string text = std::to_string(value.integer);
            if (NarrowestIntegerType(value.integer) != value.type)
                text += std::string(":") + SuffixOf(value.type);
            return text;
        }
        case FieldType::Float32: {
            const auto end =
                std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value.real)).ptr;
            return std::string(buffer, end) + ":f32";
        }
        case FieldType::Float64: {
            std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value.real).ptr);
            // Without a point or exponent it would read back as an integer.
            if (IsIntegerSyntax(text)) text += ":f64";
            return text;
        }
        case FieldType::Text:
            break;
    }
    return value.text + ":str";  // the caller converts text to UTF-8 first
}

bool CsvToRecords(std::string_view csv, std::vector<Catalogue::CatalogueRecord>& records,
                  std::string& error) {
    std::vector<CsvRow> rows;
    if (!ParseCsv(csv, rows, error)) return false;
    if (rows.empty()) {
        error = "line 1: the header line is missing";
        return false;
    }
    const CsvRow& header = rows.front();
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        const std::string where =
            "line " + std::to_string(header.line) + ", column " + std::to_string(c + 1);
        if (c >= header.cells.size()) {
            error = where + ": the header lacks the column '" + kColumns[c] + "'";
            return false;
        }
        if (header.cells[c] != kColumns[c]) {
            error = where + ": expected the column '" + kColumns[c] + "', found '" +
                    header.cells[c] + "'";
            return false;
        }
    }
    if (header.cells.size() > kColumnCount) {
        error = "line " + std::to_string(header.line) + ", column " +
                std::to_string(kColumnCount + 1) + ": unknown column '" +
                header.cells[kColumnCount] + "'";
        return false;
    }
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        const auto where = [&](std::size_t c) {
            return "line " + std::to_string(row.line) + ", column " + std::to_string(c + 1) +
                   (c < kColumnCount ? std::string(" (") + kColumns[c] + ")" : std::string());
        };
        if (row.cells.size() < kColumnCount) {
            error = where(row.cells.size()) + ": missing; every line needs " +
                    std::to_string(kColumnCount) + " cells";
            return false;
        }
        if (row.cells.size() > kColumnCount) {
            error = where(kColumnCount) + ": more cells than the " + std::to_string(kColumnCount) +
                    " columns";
            return false;
        }
        Catalogue::CatalogueRecord record;
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            std::string reason;
            if (c < 2) {
                FieldValue text;
                text.type = FieldType::Text;
                if (!ToText(row.cells[c], text.text, reason)) {
                    error = where(c) + ": " + reason;
                    return false;
                }
                record.fields.push_back(std::move(text));
                continue;
            }
            auto value = ParseNumberCell(row.cells[c], reason);
            if (!value) {
                error = where(c) + ": " + reason;
                return false;
            }
            record.fields.push_back(std::move(*value));
        }
        records.push_back(std::move(record));
    }
    return true;
}

bool RecordsToCsv(const Catalogue::CatalogueFile& file, std::string& csv, std::string& error) {
    csv.clear();
    for (std::size_t c = 0; c < kColumnCount; ++c) csv += std::string(c ? "," : "") + kColumns[c];
    csv += '\n';
    for (std::int32_t r = 0; r < file.RecordCount(); ++r) {
        const std::string where = "record " + std::to_string(r + 1);
        const Catalogue::CatalogueRecord record = file.Record(r);
        if (record.fields.size() != kColumnCount) {
            error = where + ": " + std::to_string(record.fields.size()) +
                    " fields; a CSV line holds " + std::to_string(kColumnCount);
            return false;
        }
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            const FieldValue& field = record.fields[c];
            if (c < 2 && field.type != FieldType::Text) {
                error = where + ", field " + std::to_string(c + 1) +
                        ": a number where the CSV needs text";
                return false;
            }
            std::string cell;
            if (field.type == FieldType::Text) {
                const auto utf8 = GbkToUtf8(field.text);
                if (!utf8) {
                    error = where + ", field " + std::to_string(c + 1) + ": text that is not GBK";
                    return false;
                }
                cell = c < 2 ? *utf8 : *utf8 + ":str";
            } else {
                cell = FormatNumberCell(field);
            }
            if (c) csv += ',';
            csv += QuoteIfNeeded(cell);
        }
        csv += '\n';
    }
    return true;
}

}  // namespace CatalogueCsv
