#include "tools/cattool/cattool.h"

#include <cstdint>
#include <limits>

#include "catalogue/catalogue_file.h"
#include "tools/cattool/catalogue_csv.h"
#include "tools/cattool/replace_file.h"

namespace {

using Catalogue::FieldType;

constexpr int kOk = 0;
constexpr int kBadInput = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "usage: cattool pack in.csv out.dat | dump in.dat | check in.dat\n"
    "CSV columns: name,type,cpuMhz,memoryMb,videoMemoryMb,diskGb (UTF-8).\n"
    "A number may pick its stored type: 200:u8 512:i16 512:i32 512:i64 1.5:f32 1.5:f64 text:str\n";

int Fail(std::string& err, const std::string& message) {
    err += "cattool: " + message + "\n";
    return kBadInput;
}

int Pack(const std::string& input, const std::string& output, std::string& err) {
    Catalogue::FileProblem problem;
    const auto csv = Catalogue::ReadFileBytes(input, &problem);
    if (!csv) return Fail(err, input + ": " + problem.what);
    std::vector<Catalogue::CatalogueRecord> records;
    std::string error;
    if (!CatalogueCsv::CsvToRecords(*csv, records, error)) return Fail(err, input + ": " + error);
    const auto bytes = Catalogue::EncodeCatalogue(records, &error);
    if (!bytes) return Fail(err, input + ": " + error);
    if (!ReplaceFileContents(output, *bytes, error)) return Fail(err, error);
    return kOk;
}

int Dump(const std::string& input, std::string& out, std::string& err) {
    Catalogue::FileProblem problem;
    const auto file = Catalogue::ReadCatalogueFile(input, &problem);
    if (!file) return Fail(err, input + ": " + Catalogue::DescribeProblem(problem));
    std::string csv, error;
    if (!CatalogueCsv::RecordsToCsv(*file, csv, error)) return Fail(err, input + ": " + error);
    out += csv;
    return kOk;
}

const char* TypeName(FieldType type) {
    switch (type) {
        case FieldType::Byte:
            return "a byte";
        case FieldType::Int16:
            return "a 16-bit integer";
        case FieldType::Int32:
            return "a 32-bit integer";
        case FieldType::Int64:
            return "a 64-bit integer";
        case FieldType::Float32:
            return "a 32-bit real";
        case FieldType::Float64:
            return "a 64-bit real";
        case FieldType::Text:
            return "text";
    }
    return "unknown";
}

// The program reads a requirement as a 32-bit integer: a wider integer loses
// its high bits and a real its fraction and anything beyond the range.
bool FitsRequirement(const Catalogue::FieldValue& field) {
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    switch (field.type) {
        case FieldType::Int64:
            return field.integer >= std::numeric_limits<std::int32_t>::min() &&
                   field.integer <= std::numeric_limits<std::int32_t>::max();
        case FieldType::Float32:
        case FieldType::Float64:
            return field.real >= kMin && field.real <= kMax;
        default:
            return true;
    }
}

int Check(const std::string& input, std::string& out, std::string& err) {
    Catalogue::FileProblem problem;
    const auto file = Catalogue::ReadCatalogueFile(input, &problem);
    if (!file)
        return Fail(err, input + ": cannot be opened: " + Catalogue::DescribeProblem(problem));
    std::string findings;
    for (std::int32_t r = 0; r < file->RecordCount(); ++r) {
        const Catalogue::CatalogueRecord record = file->Record(r);
        const std::string where = input + ": record " + std::to_string(r + 1);
        if (record.fields.size() != CatalogueCsv::kColumnCount)
            findings += where + ": " + std::to_string(record.fields.size()) +
                        " fields; the program reads six and ends with an error at this record\n";
        for (std::size_t f = 0; f < record.fields.size() && f < CatalogueCsv::kColumnCount; ++f) {
            const Catalogue::FieldValue& field = record.fields[f];
            const std::string at = where + ", field " + std::to_string(f + 1) + " (" +
                                   CatalogueCsv::kColumns[f] + "): ";
            if (f < 2 && field.type != FieldType::Text)
                findings += at + TypeName(field.type) +
                            " where text is needed; the program ends with an error\n";
            else if (f >= 2 && field.type == FieldType::Text)
                findings += at +
                            "text where a number is needed; the program ends with an error when "
                            "this game is chosen\n";
            else if (f >= 2 && !FitsRequirement(field))
                findings += at + "does not fit the 32-bit integer the program reads it as\n";
        }
    }
    if (!findings.empty()) {
        err += findings;
        return kBadInput;
    }
    out += input + ": ok, " + std::to_string(file->RecordCount()) + " records\n";
    return kOk;
}

}  // namespace

int RunCattool(const std::vector<std::string>& args, std::string& out, std::string& err) {
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2], err);
    if (args.size() == 2 && args[0] == "dump") return Dump(args[1], out, err);
    if (args.size() == 2 && args[0] == "check") return Check(args[1], out, err);
    err += kUsageText;
    return kUsage;
}
