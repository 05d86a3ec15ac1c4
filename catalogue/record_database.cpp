#include "catalogue/record_database.h"

#include <optional>
#include <utility>

#include "catalogue/catalogue_file.h"
#include "runtime/convert.h"
#include "runtime/fatal.h"

namespace RecordDatabase {
namespace {

// The whole file is read into memory when it is opened, so the catalogue
// stays as it was even if database.dat is replaced while the program runs.
std::optional<Catalogue::CatalogueFile> gDatabase;
// 1-based; count + 1 means past the last record.
std::int32_t gRecordNumber = 0;

std::int32_t PastEnd() {
    return gDatabase->RecordCount() + 1;
}

bool MakeCurrent(std::optional<Catalogue::CatalogueFile> file) {
    gDatabase = std::move(file);
    gRecordNumber = gDatabase ? 1 : 0;
    return gDatabase.has_value();
}

}  // namespace

bool OpenDatabase(std::string_view path) {
    // The old database goes first, so a failed open leaves none.
    CloseDatabase();
    return MakeCurrent(Catalogue::ReadCatalogueFile(std::string(path)));
}

bool OpenDatabaseFromBytes(std::string bytes) {
    CloseDatabase();
    return MakeCurrent(Catalogue::CatalogueFile::Parse(std::move(bytes)));
}

void CloseDatabase() {
    gDatabase.reset();
    gRecordNumber = 0;
}

bool HasCurrentDatabase() {
    return gDatabase.has_value();
}

void GoToFirstRecord() {
    if (gDatabase) gRecordNumber = 1;
}

std::int32_t GetRecordCount() {
    return gDatabase ? gDatabase->RecordCount() : 0;
}

std::int32_t GetRecordNumber() {
    return gRecordNumber;
}

void SkipRecord() {
    if (gDatabase && gRecordNumber < PastEnd()) ++gRecordNumber;
}

void GoToRecord(std::int32_t number) {
    if (!gDatabase) return;
    const std::int32_t count = gDatabase->RecordCount();
    // An empty catalogue has no last record; the pointer stays past the end.
    gRecordNumber = number < 1 || count == 0 ? 1 : number > count ? count : number;
}

FieldValue ReadField(int fieldNumber) {
    const std::string field = IntToText(fieldNumber);
    if (!gDatabase)
        FatalError(kFatalNoCurrentDatabase,
                   "读取字段失败：没有当前数据库，无法读取第 " + field + " 个字段");
    if (gRecordNumber >= PastEnd())
        FatalError(kFatalNoSuchField, "读取字段失败：记录指针已越过最后一条记录（共 " +
                                          IntToText(GetRecordCount()) + " 条），没有第 " + field +
                                          " 个字段");
    const std::int32_t record = gRecordNumber - 1;
    if (fieldNumber < 1 || fieldNumber > gDatabase->FieldCount(record))
        FatalError(kFatalNoSuchField, "读取字段失败：记录 " + IntToText(gRecordNumber) +
                                          " 没有第 " + field + " 个字段");
    return gDatabase->Field(record, fieldNumber - 1);
}

}  // namespace RecordDatabase
