// Times opening a large catalogue against a plain read of the same file, and
// a walk over every field as the game list does it.
// Usage: catalogue_open_bench [records]   (default 100000)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/catalogue_file.h"
#include "catalogue/record_database.h"
#include "tools/bench/best_time.h"

using namespace Catalogue;

namespace {}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::vector<CatalogueRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        records.push_back({{TextField("测试游戏 " + std::to_string(i)), TextField("角色扮演"),
                            Int32Field(2400 * (i % 8 + 1)),
                            Int16Field(static_cast<std::int16_t>(1024 * (i % 16 + 1))),
                            Float32Field(512.0f), ByteField(static_cast<std::uint8_t>(i % 200))}});
    const std::string bytes = EncodeCatalogue(records).value();
    const auto path =
        (std::filesystem::temp_directory_path() / "catalogue_open_bench.dat").string();
    if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    } else {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }

    const int runs = 7;
    std::size_t sink = 0;
    const double plainRead = BestMilliseconds(runs, [&] {
        std::FILE* in = std::fopen(path.c_str(), "rb");
        std::vector<char> buffer(bytes.size());
        sink += std::fread(buffer.data(), 1, buffer.size(), in);
        std::fclose(in);
    });
    const double open = BestMilliseconds(runs, [&] {
        if (!RecordDatabase::OpenDatabase(path)) std::abort();
    });
    const double walk = BestMilliseconds(runs, [&] {
        RecordDatabase::GoToFirstRecord();
        const std::int32_t n = RecordDatabase::GetRecordCount();
        for (std::int32_t i = 0; i < n; ++i) {
            for (int field = 1; field <= 6; ++field)
                sink += RecordDatabase::ReadField(field).text.size();
            RecordDatabase::SkipRecord();
        }
    });
    std::remove(path.c_str());

    std::printf("records: %d, file: %zu bytes (best of %d runs)\n", count, bytes.size(), runs);
    std::printf("plain read of the file:      %8.2f ms\n", plainRead);
    std::printf("OpenDatabase:                %8.2f ms\n", open);
    std::printf("read all six fields of each: %8.2f ms\n", walk);
    return sink == 0 ? 1 : 0;
}
