#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/tests/app_fixture.h"
#include "catalogue/catalogue_file.h"
#include "catalogue/game_list.h"
#include "evaluation/requirements.h"
#include "evaluation/tests/exit_report.h"
#include "runtime/fatal.h"
#include "runtime/tests/window_test_support.h"
#include "runtime/window_runtime.h"

namespace {

using namespace Catalogue;
using namespace WindowRuntime;

CatalogueRecord Game(const char* name, const char* type, int cpu = 1000, int memory = 512,
                     int video = 128, int disk = 5) {
    return {{TextField(name), TextField(type), Int32Field(cpu), Int32Field(memory),
             Int32Field(video), Int32Field(disk)}};
}

std::string Encode(const std::vector<CatalogueRecord>& records) {
    return EncodeCatalogue(records).value();
}

HWND ListWindow() {
    return GetControlHandle(GameList);
}

RECT ItemRect(int index) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    SendMessageA(ListWindow(), LVM_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void ClickItem(int index) {
    const RECT item = ItemRect(index);
    WindowTest::ClickAt(ListWindow(), item.left + 10, (item.top + item.bottom) / 2);
}

bool ItemIsInView(int index) {
    const int top = static_cast<int>(SendMessageA(ListWindow(), LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(SendMessageA(ListWindow(), LVM_GETCOUNTPERPAGE, 0, 0));
    return index >= top && index < top + perPage;
}

void Search(const std::string& text) {
    SetControlText(SearchBox, text);
    WindowTest::Click(GetControlHandle(SearchButton));
}

// GBK second bytes in the ASCII letter range: 寃 8C 77 'w', 學 8C 57 'W',
// 時 95 72 'r'; 聲 is C2 95, its second byte the first byte of 時.
constexpr int kFillerCount = 20;
std::vector<CatalogueRecord> SearchCatalogue() {
    std::vector<CatalogueRecord> records = {
        Game("寃案", "冒险"),     Game("學園Online", "角色扮演"),
        Game("聲Race", "竞速"),   Game("Warcraft III", "即时战略", 2000, 1024, 256, 10),
        Game("三國時代", "策略"), Game("WARCRAFT 3 Reforged", "即时战略"),
    };
    for (int i = 1; i <= kFillerCount; ++i)
        records.push_back(Game(("棋牌 " + std::to_string(i)).c_str(), "休闲", 0, 0, 0, 0));
    records.push_back(Game("Zuma祖玛", "休闲"));
    return records;
}

class GameListWindowTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        AppTest::PlaceCatalogue(Encode(SearchCatalogue()));
        AppTest::StartProgramQuickly();
    }
    static void TearDownTestSuite() { AppTest::StopProgram(); }
    void SetUp() override {
        ResetApplicationState();
        ShowStep1();
    }
};

TEST_F(GameListWindowTest, HoldsOneItemPerRecordInFileOrder) {
    const std::vector<CatalogueRecord> records = SearchCatalogue();
    ASSERT_EQ(ListGetItemCount(GameList), static_cast<int>(records.size()));
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        EXPECT_EQ(ListGetItemText(GameList, i, 0), records[i].fields[0].text);
        EXPECT_EQ(ListGetItemText(GameList, i, 1), records[i].fields[1].text);
        EXPECT_EQ(ListGetItemData(GameList, i), i + 1);
    }
}

TEST_F(GameListWindowTest, SearchSelectsTheFirstNameContainingTheText) {
    const int last = ListGetItemCount(GameList) - 1;
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"warcraft", 3},              // also in item 5: the one nearest the top wins
        {"WARCRAFT 3", 5}, {"w", 3},  // not 寃 or 學, whose second bytes are 'w' and 'W'
        {"學", 1},                    // not 寃, whose second byte differs only in case
        {"時", 4},                    // not across the end of 聲 in 聲Race
        {"r", 2},                     // "Race", not the second byte of 時 or of 寃
        {"國時", 4},       {"zuma祖", last}, {"棋牌 2", 7}, {"不存在的游戏", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ListSetCurrentItem(GameList, 10);  // somewhere else first
        GameChosen = 0;
        Search(c.text);
        EXPECT_EQ(ListGetCurrentItem(GameList), c.expected);
        EXPECT_TRUE(ItemIsInView(c.expected));
        EXPECT_EQ(GetFocus(), ListWindow());
        EXPECT_EQ(GameChosen, 1);
    }
}

TEST_F(GameListWindowTest, NoMatchScrollsBackToTheFirstItem) {
    Search("zuma");
    ASSERT_FALSE(ItemIsInView(0));
    Search("no such game");
    EXPECT_EQ(ListGetCurrentItem(GameList), 0);
    EXPECT_TRUE(ItemIsInView(0));
}

TEST_F(GameListWindowTest, EmptySearchOnlyAllowsStepTwo) {
    ListSetCurrentItem(GameList, 4);
    Search("");
    EXPECT_EQ(GameChosen, 1);
    EXPECT_EQ(ListGetCurrentItem(GameList), 4);
    EXPECT_NE(GetFocus(), ListWindow());
}

TEST_F(GameListWindowTest, ClickEvaluatesTheClickedGame) {
    gHardwareProfile.cpuMhz = 2000;
    gHardwareProfile.memoryMb = 1024;
    gHardwareProfile.videoMemoryMb = 256;
    gHardwareProfile.diskFreeGb = 9;
    ClickItem(3);
    EXPECT_EQ(ListGetCurrentItem(GameList), 3);
    EXPECT_EQ(GameChosen, 1);
    EXPECT_EQ(gGameRequirements.cpuMhz, 2000);
    EXPECT_EQ(gGameRequirements.diskGb, 10);
    EXPECT_EQ(GetControlText(VerdictLabel), "对不起，您的配置无法运行Warcraft III！");
    EXPECT_EQ(GetControlText(DiskResultLabel), "磁盘空间检测未通过！");
    EXPECT_EQ(GetControlText(CpuResultLabel), "CPU检测通过！");
    // Evaluated on the hidden step-three page; the page does not change.
    EXPECT_TRUE(IsControlVisible(GameList));
    EXPECT_FALSE(IsControlVisible(VerdictLabel));
}

TEST_F(GameListWindowTest, DoubleClickEvaluatesAndGoesToStepTwo) {
    const RECT item = ItemRect(1);
    WindowTest::DoubleClickAt(ListWindow(), item.left + 10, (item.top + item.bottom) / 2);
    EXPECT_EQ(GameChosen, 1);
    EXPECT_EQ(ConfigDetected, 1);
    EXPECT_EQ(GetControlText(VerdictLabel), "对不起，您的配置无法运行學園Online！");
    EXPECT_FALSE(IsControlVisible(GameList));
    EXPECT_TRUE(IsControlVisible(CpuInfoLabel));
}

// Requirements as every stored number type holds them, and as 32-bit
// integers of the same values.
std::vector<CatalogueRecord> StoredTypesCatalogue(bool allInt32) {
    if (allInt32)
        return {Game("暗黑破坏神II", "动作角色扮演", 233, 512, 64, 2),
                Game("Need for Speed 极品飞车", "竞速", 2400, 2048, 256, 30),
                Game("三國志11", "策略", 2500, 1024, 128, 5)};
    return {
        {{TextField("暗黑破坏神II"), TextField("动作角色扮演"), ByteField(233), Int16Field(512),
          Int32Field(64), Int64Field(2)}},
        {{TextField("Need for Speed 极品飞车"), TextField("竞速"), Float32Field(2400.5f),
          Float64Field(2048.99), Int64Field(0x100000100LL), ByteField(30)}},
        {{TextField("三國志11"), TextField("策略"), Int16Field(2500), Float32Field(1024.0f),
          Float64Field(128.7), Int16Field(5)}},
    };
}

struct Row {
    std::string name, type, verdict;
    std::int32_t data;
    std::uint32_t color;
    bool operator==(const Row&) const = default;
};

Row ShownVerdict(int index) {
    return {ListGetItemText(GameList, index, 0), ListGetItemText(GameList, index, 1),
            GetControlText(VerdictLabel), ListGetItemData(GameList, index),
            GetLabelTextColor(VerdictLabel)};
}

// The list and the verdict of a click on each item, on a fixed computer; then
// the verdict of a click on the empty area below the last item, which clears
// the selection.
std::vector<Row> ListAndVerdicts(bool allInt32) {
    AppTest::PlaceCatalogue(Encode(StoredTypesCatalogue(allInt32)));
    AppTest::StartProgramQuickly();
    gHardwareProfile.cpuMhz = 2000;
    gHardwareProfile.memoryMb = 1024;
    gHardwareProfile.videoMemoryMb = 200;
    gHardwareProfile.diskFreeGb = 20;
    std::vector<Row> rows;
    const int count = ListGetItemCount(GameList);
    for (int i = 0; i < count; ++i) {
        ClickItem(i);
        EXPECT_EQ(ListGetCurrentItem(GameList), i);
        rows.push_back(ShownVerdict(i));
    }
    const RECT last = ItemRect(count - 1);
    WindowTest::ClickAt(ListWindow(), last.left + 10, last.bottom + 30);
    EXPECT_EQ(ListGetCurrentItem(GameList), -1);
    rows.push_back(ShownVerdict(0));
    AppTest::StopProgram();
    return rows;
}

TEST(GameListStoredTypesTest, EveryNumberTypeGivesTheSameListAndVerdicts) {
    const std::vector<Row> expected = {
        {"暗黑破坏神II", "动作角色扮演", "恭喜您，您的配置可以流畅运行暗黑破坏神II！", 1, 65280},
        {"Need for Speed 极品飞车", "竞速", "对不起，您的配置无法运行Need for Speed 极品飞车！", 2,
         255},
        {"三國志11", "策略", "对不起，您的配置可能无法流畅运行三國志11！", 3, 33023},
        {"暗黑破坏神II", "动作角色扮演", "恭喜您，您的配置可以流畅运行暗黑破坏神II！", 1, 65280},
    };
    EXPECT_EQ(ListAndVerdicts(true), expected);
    EXPECT_EQ(ListAndVerdicts(false), expected);
}

TEST(GameListEmptyCatalogueTest, SearchSelectsNothingAndAClickEvaluatesNothing) {
    AppTest::PlaceCatalogue(Encode({}));
    AppTest::StartProgramQuickly();
    EXPECT_EQ(ListGetItemCount(GameList), 0);
    Search("a");
    EXPECT_EQ(ListGetCurrentItem(GameList), -1);
    EXPECT_EQ(GameChosen, 1);
    GameChosen = 0;
    WindowTest::ClickAt(ListWindow(), 20, 20);
    EXPECT_EQ(GameChosen, 1);
    EXPECT_EQ(GetControlText(VerdictLabel), "检测报告");
    AppTest::StopProgram();
}

// The reads decide these, so the list is filled without a window.
TEST(GameListDeathTest, ABadRecordEndsTheProgramWhileTheListIsFilled) {
    struct Case {
        const char* what;
        std::vector<CatalogueRecord> records;
        int code;
        const char* report;
    } cases[] = {
        {"name not text",
         {Game("Doom", "射击"),
          {{Int32Field(1), TextField("射击"), Int32Field(1), Int32Field(1), Int32Field(1),
            Int32Field(1)}}},
         kFatalTypeMismatch,
         "数据或数组类型不匹配（记录 2，字段 1）"},
        {"type not text",
         {{{TextField("Doom"), Float64Field(1.0), Int32Field(1), Int32Field(1), Int32Field(1),
            Int32Field(1)}}},
         kFatalTypeMismatch,
         "数据或数组类型不匹配（记录 1，字段 2）"},
        {"a missing field",
         {Game("Doom", "射击"),
          {{TextField("Quake"), TextField("射击"), Int32Field(1), Int32Field(1), Int32Field(1)}}},
         kFatalNoSuchField,
         "记录 2 没有第 6 个字段"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EXIT(
            {
                AppTest::PlaceCatalogue(Encode(c.records));
                FillGameList();
            },
            testing::ExitedWithCode(c.code), ContainsBytes(c.report));
    }
}

TEST(GameListDeathTest, ATextRequirementEndsTheProgramWhenItsGameIsClicked) {
    const std::vector<CatalogueRecord> records = {
        Game("Doom", "射击"),
        {{TextField("Quake"), TextField("射击"), Int32Field(1), Int32Field(1), TextField("高"),
          Int32Field(1)}},
    };
    EXPECT_EXIT(
        {
            AppTest::PlaceCatalogue(Encode(records));
            AppTest::StartProgramQuickly();
            ClickItem(0);
            std::fprintf(stderr, "first game evaluated\n");
            ClickItem(1);
        },
        testing::ExitedWithCode(kFatalNumberExpected),
        ContainsBytes("first game evaluated\nMessageBox[错误|16]: "
                      "未得到所需要的数值型数据（记录 2，字段 5）"));
}

TEST(GameListDeathTest, AClickWithNoCatalogueOpenEndsTheProgram) {
    EXPECT_EXIT(
        {
            AppTest::PlaceCatalogue("not a catalogue");
            AppTest::StartProgramQuickly();
            std::fprintf(stderr, "%d items\n", ListGetItemCount(GameList));
            WindowTest::ClickAt(ListWindow(), 20, 20);
        },
        testing::ExitedWithCode(kFatalNoCurrentDatabase),
        ContainsBytes("0 items\nMessageBox[错误|16]: 读取字段失败：没有当前数据库"));
}

}  // namespace
