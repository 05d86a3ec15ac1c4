#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/record_database.h"

// The database.dat format (docs/catalogue-format.md): a versioned,
// little-endian file of records whose fields carry their stored type.
namespace Catalogue {

using RecordDatabase::FieldType;
using RecordDatabase::FieldValue;

inline constexpr char kMagic[4] = {'V', 'C', 'A', 'T'};
inline constexpr std::uint16_t kFormatVersion = 1;
inline constexpr std::size_t kHeaderSize = 16;
inline constexpr std::size_t kMaxTextBytes = 0xFFFF;
inline constexpr std::size_t kMaxFieldsPerRecord = 0xFF;
// Far above any real catalogue (100,000 games take about 7 MB); a larger
// file is refused before anything is allocated for it.
inline constexpr std::size_t kMaxFileBytes = 64u * 1024u * 1024u;

struct CatalogueRecord {
    std::vector<FieldValue> fields;
};

FieldValue TextField(std::string_view gbk);
FieldValue ByteField(std::uint8_t value);
FieldValue Int16Field(std::int16_t value);
FieldValue Int32Field(std::int32_t value);
FieldValue Int64Field(std::int64_t value);
FieldValue Float32Field(float value);
FieldValue Float64Field(double value);

// ASCII 0x01-0x7F and GBK double-byte characters only: no NUL, which would cut
// the text short in the ANSI window calls, and no lone byte of 0x80 or above,
// which the name search would take for the first half of a character.
bool IsStorableText(std::string_view gbk);

// The file bytes for the records, or nothing (with the reason in `error`)
// when a value does not fit its stored type or the limits above.
std::optional<std::string> EncodeCatalogue(std::span<const CatalogueRecord> records,
                                           std::string* error = nullptr);

// Where and why a file is not a catalogue. `record` is 1-based, 0 for the
// header; `field` is 1-based, 0 when the fault is not in a field.
struct FileProblem {
    std::string section;
    std::int64_t record = 0;
    int field = 0;
    std::size_t offset = 0;
    std::string what;
};
std::string DescribeProblem(const FileProblem& problem);

// A validated catalogue kept as its file bytes plus the offset of each
// record, so that opening costs one pass and no allocation per field.
class CatalogueFile {
  public:
    // Every length, count, type tag, number and text is checked against the
    // bytes before anything relies on it.
    static std::optional<CatalogueFile> Parse(std::string bytes, FileProblem* problem = nullptr);

    std::int32_t RecordCount() const { return static_cast<std::int32_t>(recordOffsets_.size()); }
    // `record` is 0-based and must be below RecordCount(); `field` is 0-based
    // and must be below FieldCount(record).
    int FieldCount(std::int32_t record) const;
    FieldValue Field(std::int32_t record, int field) const;
    CatalogueRecord Record(std::int32_t record) const;

  private:
    std::string bytes_;
    std::vector<std::uint32_t> recordOffsets_;
};

// Reads at most kMaxFileBytes; a missing, unreadable or larger file is a
// problem like any other.
std::optional<std::string> ReadFileBytes(const std::string& path, FileProblem* problem = nullptr);
std::optional<CatalogueFile> ReadCatalogueFile(const std::string& path,
                                               FileProblem* problem = nullptr);

}  // namespace Catalogue
