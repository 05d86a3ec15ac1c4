// libFuzzer target: any bytes as database.dat. The reader must refuse or
// accept without stepping outside the bytes; what it accepts must read back
// field by field, write back to the same bytes, and open in the engine.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/catalogue_file.h"
#include "catalogue/record_database.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto file = Catalogue::CatalogueFile::Parse(bytes);
    Require(RecordDatabase::OpenDatabaseFromBytes(bytes) == file.has_value());
    if (!file) {
        Require(!RecordDatabase::HasCurrentDatabase() && RecordDatabase::GetRecordCount() == 0);
        return 0;
    }

    std::vector<Catalogue::CatalogueRecord> records;
    for (std::int32_t r = 0; r < file->RecordCount(); ++r) {
        records.push_back(file->Record(r));
        RecordDatabase::GoToRecord(r + 1);
        Require(RecordDatabase::GetRecordNumber() == r + 1);
        for (int f = 0; f < file->FieldCount(r); ++f) {
            Require(RecordDatabase::ReadField(f + 1) ==
                    records.back().fields[static_cast<std::size_t>(f)]);
            Require(file->Field(r, f) == records.back().fields[static_cast<std::size_t>(f)]);
        }
    }
    // Each catalogue has exactly one spelling as bytes.
    Require(Catalogue::EncodeCatalogue(records) == bytes);

    // The pointer never leaves 1..count+1.
    RecordDatabase::GoToFirstRecord();
    for (std::int32_t i = 0; i <= file->RecordCount(); ++i) RecordDatabase::SkipRecord();
    Require(RecordDatabase::GetRecordNumber() == file->RecordCount() + 1);
    RecordDatabase::GoToRecord(size > 0 ? static_cast<std::int32_t>(data[0]) - 128 : 0);
    Require(RecordDatabase::GetRecordNumber() >= 1 &&
            RecordDatabase::GetRecordNumber() <= file->RecordCount() + 1);
    RecordDatabase::CloseDatabase();
    return 0;
}
