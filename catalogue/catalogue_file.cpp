#include "catalogue/catalogue_file.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

// Only ASCII literals in this file: the fuzz build compiles it with a compiler
// that cannot turn literals into GBK.

namespace Catalogue {
namespace {

enum TypeTag : std::uint8_t {
    kTagByte = 1,
    kTagInt16 = 2,
    kTagInt32 = 3,
    kTagInt64 = 4,
    kTagFloat32 = 5,
    kTagFloat64 = 6,
    kTagText = 7,
};

std::uint8_t TagOf(FieldType type) {
    switch (type) {
        case FieldType::Byte:
            return kTagByte;
        case FieldType::Int16:
            return kTagInt16;
        case FieldType::Int32:
            return kTagInt32;
        case FieldType::Int64:
            return kTagInt64;
        case FieldType::Float32:
            return kTagFloat32;
        case FieldType::Float64:
            return kTagFloat64;
        case FieldType::Text:
            return kTagText;
    }
    return 0;
}

// Payload size for the fixed-size tags, 0 for text and unknown tags.
std::size_t FixedPayloadSize(std::uint8_t tag) {
    switch (tag) {
        case kTagByte:
            return 1;
        case kTagInt16:
            return 2;
        case kTagInt32:
            return 4;
        case kTagInt64:
            return 8;
        case kTagFloat32:
            return 4;
        case kTagFloat64:
            return 8;
        default:
            return 0;
    }
}

std::uint64_t LoadLittleEndian(const std::string& bytes, std::size_t offset, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

void StoreLittleEndian(std::string& out, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool IsGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
bool IsGbkTrail(unsigned char c) {
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// Decodes the field at `offset`, which Parse has already validated.
FieldValue DecodeField(const std::string& bytes, std::size_t offset) {
    const auto tag = static_cast<std::uint8_t>(bytes[offset]);
    const std::size_t payload = offset + 1;
    FieldValue value;
    switch (tag) {
        case kTagByte:
            value.type = FieldType::Byte;
            value.integer = static_cast<std::int64_t>(LoadLittleEndian(bytes, payload, 1));
            break;
        case kTagInt16:
            value.type = FieldType::Int16;
            value.integer = static_cast<std::int16_t>(LoadLittleEndian(bytes, payload, 2));
            break;
        case kTagInt32:
            value.type = FieldType::Int32;
            value.integer = static_cast<std::int32_t>(LoadLittleEndian(bytes, payload, 4));
            break;
        case kTagInt64:
            value.type = FieldType::Int64;
            value.integer = static_cast<std::int64_t>(LoadLittleEndian(bytes, payload, 8));
            break;
        case kTagFloat32:
            value.type = FieldType::Float32;
            value.real = std::bit_cast<float>(
                static_cast<std::uint32_t>(LoadLittleEndian(bytes, payload, 4)));
            break;
        case kTagFloat64:
            value.type = FieldType::Float64;
            value.real = std::bit_cast<double>(LoadLittleEndian(bytes, payload, 8));
            break;
        default: {
            value.type = FieldType::Text;
            const auto length = static_cast<std::size_t>(LoadLittleEndian(bytes, payload, 2));
            value.text.assign(bytes, payload + 2, length);
            break;
        }
    }
    return value;
}

std::size_t FieldSize(const std::string& bytes, std::size_t offset) {
    const auto tag = static_cast<std::uint8_t>(bytes[offset]);
    if (tag == kTagText)
        return 1 + 2 + static_cast<std::size_t>(LoadLittleEndian(bytes, offset + 1, 2));
    return 1 + FixedPayloadSize(tag);
}

class Validator {
  public:
    Validator(const std::string& bytes, FileProblem* problem) : bytes_(bytes), problem_(problem) {}

    bool Fail(std::string section, std::int64_t record, int field, std::size_t offset,
              std::string what) {
        if (problem_)
            *problem_ = FileProblem{std::move(section), record, field, offset, std::move(what)};
        return false;
    }

    std::size_t Remaining(std::size_t offset) const { return bytes_.size() - offset; }

    // Checks one field at `offset` and moves past it.
    bool CheckField(std::int64_t record, int field, std::size_t& offset) {
        const std::size_t start = offset;
        if (Remaining(offset) < 1)
            return Fail("records", record, field, start, "the file ends before the field's type");
        const auto tag = static_cast<std::uint8_t>(bytes_[offset]);
        ++offset;
        if (tag == kTagText) {
            if (Remaining(offset) < 2)
                return Fail("records", record, field, start,
                            "the file ends inside the text length");
            const auto length = static_cast<std::size_t>(LoadLittleEndian(bytes_, offset, 2));
            offset += 2;
            if (Remaining(offset) < length)
                return Fail(
                    "records", record, field, start,
                    "text of " + std::to_string(length) + " bytes runs past the end of the file");
            if (!IsStorableText(std::string_view(bytes_).substr(offset, length)))
                return Fail("records", record, field, start,
                            "text is not well-formed GBK (or holds a NUL)");
            offset += length;
            return true;
        }
        const std::size_t size = FixedPayloadSize(tag);
        if (size == 0)
            return Fail("records", record, field, start, "unknown type tag " + std::to_string(tag));
        if (Remaining(offset) < size)
            return Fail("records", record, field, start, "the file ends inside the field's value");
        const std::uint64_t raw = LoadLittleEndian(bytes_, offset, size);
        const bool finite =
            tag == kTagFloat32
                ? std::isfinite(std::bit_cast<float>(static_cast<std::uint32_t>(raw)))
            : tag == kTagFloat64 ? std::isfinite(std::bit_cast<double>(raw))
                                 : true;
        if (!finite)
            return Fail("records", record, field, start, "a real that is not a finite number");
        offset += size;
        return true;
    }

  private:
    const std::string& bytes_;
    FileProblem* problem_;
};

}  // namespace

FieldValue TextField(std::string_view gbk) {
    FieldValue value;
    value.type = FieldType::Text;
    value.text = gbk;
    return value;
}

namespace {
FieldValue IntegerField(FieldType type, std::int64_t integer) {
    FieldValue value;
    value.type = type;
    value.integer = integer;
    return value;
}
FieldValue RealField(FieldType type, double real) {
    FieldValue value;
    value.type = type;
    value.real = real;
    return value;
}
}  // namespace

FieldValue ByteField(std::uint8_t value) {
    return IntegerField(FieldType::Byte, value);
}
FieldValue Int16Field(std::int16_t value) {
    return IntegerField(FieldType::Int16, value);
}
FieldValue Int32Field(std::int32_t value) {
    return IntegerField(FieldType::Int32, value);
}
FieldValue Int64Field(std::int64_t value) {
    return IntegerField(FieldType::Int64, value);
}
FieldValue Float32Field(float value) {
    return RealField(FieldType::Float32, value);
}
FieldValue Float64Field(double value) {
    return RealField(FieldType::Float64, value);
}

bool IsStorableText(std::string_view gbk) {
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        const auto c = static_cast<unsigned char>(gbk[i]);
        if (c == 0) return false;
        if (c < 0x80) continue;
        if (!IsGbkLead(c) || i + 1 >= gbk.size() ||
            !IsGbkTrail(static_cast<unsigned char>(gbk[i + 1])))
            return false;
        ++i;
    }
    return true;
}

namespace {

bool EncodeField(const FieldValue& value, std::string& out, std::string& error) {
    const auto outOfRange = [&](const char* type) {
        error = "value " + std::to_string(value.integer) + " does not fit a " + type;
        return false;
    };
    out.push_back(static_cast<char>(TagOf(value.type)));
    switch (value.type) {
        case FieldType::Byte:
            if (value.integer < 0 || value.integer > 0xFF) return outOfRange("byte");
            StoreLittleEndian(out, static_cast<std::uint64_t>(value.integer), 1);
            return true;
        case FieldType::Int16:
            if (value.integer < std::numeric_limits<std::int16_t>::min() ||
                value.integer > std::numeric_limits<std::int16_t>::max())
                return outOfRange("16-bit integer");
            StoreLittleEndian(out, static_cast<std::uint64_t>(value.integer), 2);
            return true;
        case FieldType::Int32:
            if (value.integer < std::numeric_limits<std::int32_t>::min() ||
                value.integer > std::numeric_limits<std::int32_t>::max())
                return outOfRange("32-bit integer");
            StoreLittleEndian(out, static_cast<std::uint64_t>(value.integer), 4);
            return true;
        case FieldType::Int64:
            StoreLittleEndian(out, static_cast<std::uint64_t>(value.integer), 8);
            return true;
        case FieldType::Float32: {
            // A double beyond the float range would become infinity.
            if (!std::isfinite(value.real) ||
                std::fabs(value.real) > std::numeric_limits<float>::max()) {
                error = "the real does not fit a finite 32-bit float";
                return false;
            }
            StoreLittleEndian(out, std::bit_cast<std::uint32_t>(static_cast<float>(value.real)), 4);
            return true;
        }
        case FieldType::Float64:
            if (!std::isfinite(value.real)) {
                error = "the real is not a finite number";
                return false;
            }
            StoreLittleEndian(out, std::bit_cast<std::uint64_t>(value.real), 8);
            return true;
        case FieldType::Text:
            if (value.text.size() > kMaxTextBytes) {
                error = "text of " + std::to_string(value.text.size()) + " bytes is longer than " +
                        std::to_string(kMaxTextBytes);
                return false;
            }
            if (!IsStorableText(value.text)) {
                error = "text is not well-formed GBK (or holds a NUL)";
                return false;
            }
            StoreLittleEndian(out, value.text.size(), 2);
            out += value.text;
            return true;
    }
    error = "unknown field type";
    return false;
}

}  // namespace

std::optional<std::string> EncodeCatalogue(std::span<const CatalogueRecord> records,
                                           std::string* error) {
    std::string reason;
    const auto fail = [&](std::size_t record, std::size_t field, const std::string& what) {
        if (error) {
            *error = "record " + std::to_string(record + 1);
            if (field > 0) *error += ", field " + std::to_string(field);
            *error += ": " + what;
        }
        return std::nullopt;
    };
    if (records.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return fail(records.size() - 1, 0, "too many records");
    std::string out(kHeaderSize, '\0');
    for (std::size_t r = 0; r < records.size(); ++r) {
        const auto& fields = records[r].fields;
        if (fields.size() > kMaxFieldsPerRecord)
            return fail(r, 0,
                        std::to_string(fields.size()) + " fields, at most " +
                            std::to_string(kMaxFieldsPerRecord) + " are allowed");
        out.push_back(static_cast<char>(fields.size()));
        for (std::size_t f = 0; f < fields.size(); ++f)
            if (!EncodeField(fields[f], out, reason)) return fail(r, f + 1, reason);
        if (out.size() > kMaxFileBytes) return fail(r, 0, "the file would exceed the size limit");
    }
    std::string header;
    header.append(kMagic, sizeof kMagic);
    StoreLittleEndian(header, kFormatVersion, 2);
    StoreLittleEndian(header, 0, 2);
    StoreLittleEndian(header, records.size(), 4);
    StoreLittleEndian(header, out.size() - kHeaderSize, 4);
    out.replace(0, kHeaderSize, header);
    return out;
}

std::string DescribeProblem(const FileProblem& problem) {
    std::string text = problem.section;
    if (problem.record > 0) text += ", record " + std::to_string(problem.record);
    if (problem.field > 0) text += ", field " + std::to_string(problem.field);
    text += ", offset " + std::to_string(problem.offset) + ": " + problem.what;
    return text;
}

std::optional<CatalogueFile> CatalogueFile::Parse(std::string bytes, FileProblem* problem) {
    Validator check(bytes, problem);
    if (bytes.size() > kMaxFileBytes) {
        check.Fail("file", 0, 0, 0, "larger than " + std::to_string(kMaxFileBytes) + " bytes");
        return std::nullopt;
    }
    if (bytes.size() < kHeaderSize) {
        check.Fail("header", 0, 0, 0,
                   "the file is shorter than the " + std::to_string(kHeaderSize) + "-byte header");
        return std::nullopt;
    }
    if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        check.Fail("header", 0, 0, 0, "not a catalogue file (wrong magic)");
        return std::nullopt;
    }
    const auto version = LoadLittleEndian(bytes, 4, 2);
    if (version != kFormatVersion) {
        check.Fail("header", 0, 0, 4, "unsupported format version " + std::to_string(version));
        return std::nullopt;
    }
    if (LoadLittleEndian(bytes, 6, 2) != 0) {
        check.Fail("header", 0, 0, 6, "reserved bytes are not zero");
        return std::nullopt;
    }
    const auto count = LoadLittleEndian(bytes, 8, 4);
    const auto sectionSize = LoadLittleEndian(bytes, 12, 4);
    const std::size_t actualSection = bytes.size() - kHeaderSize;
    if (sectionSize != actualSection) {
        check.Fail("header", 0, 0, 12,
                   "the header announces " + std::to_string(sectionSize) +
                       " bytes of records but the file holds " + std::to_string(actualSection) +
                       (sectionSize > actualSection ? " (truncated)" : " (trailing bytes)"));
        return std::nullopt;
    }
    // Every record takes at least its one-byte field count, so a count above
    // the section size is a lie; checked before the offset table is reserved.
    if (count > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) ||
        count > actualSection) {
        check.Fail("header", 0, 0, 8,
                   "record count " + std::to_string(count) + " cannot fit in " +
                       std::to_string(actualSection) + " bytes of records");
        return std::nullopt;
    }

    CatalogueFile file;
    file.recordOffsets_.reserve(static_cast<std::size_t>(count));
    std::size_t offset = kHeaderSize;
    for (std::uint64_t r = 0; r < count; ++r) {
        const auto record = static_cast<std::int64_t>(r + 1);
        if (check.Remaining(offset) < 1) {
            check.Fail("records", record, 0, offset,
                       "the file ends after " + std::to_string(r) + " of " + std::to_string(count) +
                           " records");
            return std::nullopt;
        }
        file.recordOffsets_.push_back(static_cast<std::uint32_t>(offset));
        const auto fieldCount = static_cast<unsigned char>(bytes[offset]);
        ++offset;
        for (int f = 0; f < fieldCount; ++f)
            if (!check.CheckField(record, f + 1, offset)) return std::nullopt;
    }
    if (offset != bytes.size()) {
        check.Fail("records", 0, 0, offset,
                   std::to_string(bytes.size() - offset) + " bytes follow the last of " +
                       std::to_string(count) + " records");
        return std::nullopt;
    }
    file.bytes_ = std::move(bytes);
    return file;
}

int CatalogueFile::FieldCount(std::int32_t record) const {
    return static_cast<unsigned char>(bytes_[recordOffsets_[static_cast<std::size_t>(record)]]);
}

FieldValue CatalogueFile::Field(std::int32_t record, int field) const {
    std::size_t offset = recordOffsets_[static_cast<std::size_t>(record)] + 1;
    for (int f = 0; f < field; ++f) offset += FieldSize(bytes_, offset);
    return DecodeField(bytes_, offset);
}

CatalogueRecord CatalogueFile::Record(std::int32_t record) const {
    CatalogueRecord result;
    const int count = FieldCount(record);
    result.fields.reserve(static_cast<std::size_t>(count));
    std::size_t offset = recordOffsets_[static_cast<std::size_t>(record)] + 1;
    for (int f = 0; f < count; ++f) {
        result.fields.push_back(DecodeField(bytes_, offset));
        offset += FieldSize(bytes_, offset);
    }
    return result;
}

std::optional<std::string> ReadFileBytes(const std::string& path, FileProblem* problem) {
    const auto fail = [&](std::string what) {
        if (problem) *problem = FileProblem{"file", 0, 0, 0, std::move(what)};
        return std::nullopt;
    };
    // Narrow fopen takes the path in the ANSI code page on Windows, which is
    // how the program builds it.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return fail("cannot open " + path);
    std::string bytes;
    // The size is only a hint for one allocation up front; the reads below
    // enforce the limit.
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && static_cast<unsigned long>(size) <= kMaxFileBytes)
            bytes.reserve(static_cast<std::size_t>(size));
        std::rewind(file);
    }
    // Read in pieces rather than trusting a size from the file system, so a
    // file that grows while it is read still stops at the limit.
    char buffer[64 * 1024];
    bool tooLarge = false;
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        if (got == 0) break;
        if (bytes.size() + got > kMaxFileBytes) {
            tooLarge = true;
            break;
        }
        bytes.append(buffer, got);
    }
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (tooLarge) return fail("larger than " + std::to_string(kMaxFileBytes) + " bytes");
    if (readError) return fail("cannot read " + path);
    return bytes;
}

std::optional<CatalogueFile> ReadCatalogueFile(const std::string& path, FileProblem* problem) {
    auto bytes = ReadFileBytes(path, problem);
    if (!bytes) return std::nullopt;
    return CatalogueFile::Parse(std::move(*bytes), problem);
}

}  // namespace Catalogue
