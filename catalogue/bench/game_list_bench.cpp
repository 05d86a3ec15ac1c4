// Times the game list in the real main window under Wine: filling the list,
// a search for a name near the end and one click evaluation, each also as a
// ratio to a plain read of the catalogue file, and the run-time operations a
// fill is made of. Needs an X display. Not a test.
// Usage: game_list_bench [games]   (default 100000)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "catalogue/catalogue_file.h"
#include "catalogue/game_list.h"
#include "catalogue/name_match.h"
#include "catalogue/record_database.h"
#include "evaluation/field_conversion.h"
#include "runtime/testing.h"
#include "runtime/window_runtime.h"
#include "tools/bench/best_time.h"

using namespace Catalogue;
using namespace WindowRuntime;

namespace {

const char* const kTitles[] = {"仙剑奇侠传", "Warcraft", "三國志Online", "极品飞车",
                               "魔兽世界",   "Zuma祖玛", "暗黑破坏神",   "學園Story"};

std::string GameName(int i) {
    return std::string(kTitles[i % 8]) + " " + std::to_string(i + 1);
}

std::string CatalogueBytes(int count) {
    std::vector<CatalogueRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        records.push_back(
            {{TextField(GameName(i)), TextField("角色扮演"), Int32Field(1000 + i % 3000),
              Int16Field(static_cast<std::int16_t>(i % 4096)), Float32Field(256.0f),
              ByteField(static_cast<std::uint8_t>(i % 50))}});
    return EncodeCatalogue(records).value();
}

std::string CataloguePath() {
    return GetRunDirectory() + "\\database.dat";
}

bool PlaceCatalogue(const std::string& bytes) {
    std::FILE* out = std::fopen(CataloguePath().c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

void EmptyList() {
    ListDeleteAll(GameList);
    ProcessPendingEvents();
}

// The fill as the user sees it: the list learns the count from the event
// loop and paints its first rows.
void FillAndShow() {
    FillGameList();
    ProcessPendingEvents();
    UpdateWindow(GetControlHandle(GameList));
}

void Row(const char* what, double ms, double baseline) {
    std::printf("%-46s %10.2f ms %10.1f x plain read\n", what, ms, ms / baseline);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::atoi(argv[1]) : 100000;
    Initialize();
    // Start-up as the program does it, on a small catalogue: the list is
    // filled again below, with each size timed on its own.
    if (!PlaceCatalogue(CatalogueBytes(10))) return 1;
    Testing::CreateStartupForm(MainWindow);
    const auto nothing = [] {};
    std::size_t sink = 0;

    const std::string bytes = CatalogueBytes(games);
    PlaceCatalogue(bytes);
    const int runs = 3;
    const double plainRead = BestMilliseconds(runs, nothing, [&] {
        std::FILE* in = std::fopen(CataloguePath().c_str(), "rb");
        std::vector<char> buffer(bytes.size());
        sink += std::fread(buffer.data(), 1, buffer.size(), in);
        std::fclose(in);
    });
    std::printf("\n%d games, catalogue %zu bytes, best of %d runs:\n", games, bytes.size(), runs);
    Row("plain read of the file (baseline)", plainRead, plainRead);
    Row("OpenDatabase",
        BestMilliseconds(runs, nothing, [] { RecordDatabase::OpenDatabase(CataloguePath()); }),
        plainRead);
    Row("FillGameList, and the list shown", BestMilliseconds(runs, EmptyList, FillAndShow),
        plainRead);
    Row("  ListDeleteAll of the full list",
        BestMilliseconds(runs, FillAndShow, [] { ListDeleteAll(GameList); }), plainRead);
    Row("  ListInsertItem for every game",
        BestMilliseconds(runs, EmptyList,
                         [&] {
                             for (int i = 0; i < games; ++i) ListInsertItem(GameList, i, i + 1);
                         }),
        plainRead);
    Row("  ListSetItemText, columns 0 and 1",
        BestMilliseconds(runs, nothing,
                         [&] {
                             for (int i = 0; i < games; ++i) {
                                 ListSetItemText(GameList, i, 0, "名称");
                                 ListSetItemText(GameList, i, 1, "类型");
                             }
                         }),
        plainRead);
    Row("  ListSetItemText, columns 2 to 5 (ignored)",
        BestMilliseconds(runs, nothing,
                         [&] {
                             for (int i = 0; i < games; ++i)
                                 for (int column = 2; column <= 5; ++column)
                                     ListSetItemText(GameList, i, column, "1");
                         }),
        plainRead);
    Row("  field reads and conversions",
        BestMilliseconds(
            runs, nothing,
            [&] {
                RecordDatabase::GoToFirstRecord();
                for (int i = 1; i <= games; ++i) {
                    const std::int32_t record = RecordDatabase::GetRecordNumber();
                    sink += FieldText(RecordDatabase::ReadField(1), {record, 1}).size();
                    sink += FieldText(RecordDatabase::ReadField(2), {record, 2}).size();
                    for (int field = 3; field <= 6; ++field)
                        sink +=
                            FieldToDisplayText(RecordDatabase::ReadField(field), {record, field})
                                .size();
                    RecordDatabase::SkipRecord();
                }
            }),
        plainRead);
    FillAndShow();

    const int target = games - 10;
    const std::string wanted = GameName(target);
    SetControlText(SearchBox, wanted);
    const double search = BestMilliseconds(
        runs,
        [] {
            ListSetCurrentItem(GameList, 0);
            ListEnsureVisible(GameList, 0);
            ProcessPendingEvents();
        },
        [] {
            SearchGameList();
            ProcessPendingEvents();
        });
    const bool found = ListGetCurrentItem(GameList) == target;
    Row(found ? "SearchGameList, a name near the end" : "SearchGameList (WRONG ITEM)", search,
        plainRead);
    Row("  ListGetItemText of every name",
        BestMilliseconds(runs, nothing,
                         [&] {
                             for (int i = 0; i < games; ++i)
                                 sink += ListGetItemText(GameList, i, 0).size();
                         }),
        plainRead);
    std::vector<std::string> names;
    for (int i = 0; i < games; ++i) names.push_back(GameName(i));
    Row("  NameContains over every name",
        BestMilliseconds(runs, nothing,
                         [&] {
                             for (const std::string& name : names)
                                 sink += NameContains(name, wanted);
                         }),
        plainRead);
    Row("  select, scroll to and focus the item",
        BestMilliseconds(
            runs,
            [] {
                ListSetCurrentItem(GameList, 0);
                ListEnsureVisible(GameList, 0);
                ProcessPendingEvents();
            },
            [&] {
                ListSetCurrentItem(GameList, target);
                ListEnsureVisible(GameList, target);
                FocusControl(GameList);
                ProcessPendingEvents();
            }),
        plainRead);
    const auto toTop = [] {
        ListSetCurrentItem(GameList, 0);
        ListEnsureVisible(GameList, 0);
        ProcessPendingEvents();
    };
    Row("    ListSetCurrentItem",
        BestMilliseconds(runs, toTop,
                         [&] {
                             ListSetCurrentItem(GameList, target);
                             ProcessPendingEvents();
                         }),
        plainRead);
    Row("    ListEnsureVisible",
        BestMilliseconds(runs, toTop,
                         [&] {
                             ListEnsureVisible(GameList, target);
                             ProcessPendingEvents();
                         }),
        plainRead);
    Row("    FocusControl",
        BestMilliseconds(
            runs,
            [] {
                SetFocus(GetControlHandle(SearchBox));
                ProcessPendingEvents();
            },
            [] {
                FocusControl(GameList);
                ProcessPendingEvents();
            }),
        plainRead);
    Row("one click evaluation", BestMilliseconds(runs, nothing, [] { OnGameListClick(); }),
        plainRead);

    Testing::DestroyAllForms();
    std::remove(CataloguePath().c_str());
    return sink == 0 || !found ? 1 : 0;
}
