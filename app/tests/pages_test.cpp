// Start-up, the three pages, refusals and the small controls of the main
// window, driven in-process with real clicks and keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/scan_window.h"
#include "app/splash_window.h"
#include "app/tests/app_fixture.h"
#include "assets/images.h"
#include "catalogue/catalogue_file.h"
#include "runtime/testing.h"
#include "runtime/tests/window_test_support.h"
#include "runtime/window_runtime.h"

using namespace WindowRuntime;
using namespace Catalogue;

namespace {

std::string TwoGames() {
    std::vector<CatalogueRecord> records = {
        {{TextField("英雄联盟"), TextField("竞技"), Int32Field(2000), Int32Field(2048),
          Int32Field(256), Int32Field(8)}},
        {{TextField("模拟人生 4"), TextField("模拟"), Int32Field(1800), Int32Field(1024),
          Int32Field(128), Int32Field(15)}},
    };
    return *EncodeCatalogue(records);
}

enum class Shown { Step1, Step2, Step3 };

const Control kStep1Controls[] = {SearchBox, SearchButton, GameList, DriveBox};
const Control kStep2Controls[] = {VideoInfoLabel,  SoundInfoLabel, OsInfoLabel,
                                  MemoryInfoLabel, DiskInfoLabel,  CpuInfoLabel};
const Control kStep3Controls[] = {VerdictLabel,     CpuResultLabel,  MemoryResultLabel,
                                  VideoResultLabel, DiskResultLabel, VerdictPicture};
const Control kAlwaysShown[] = {CloseButton, MinimizeButton, Step1Button, Step2Button,
                                Step3Button, HomePageLink,   NoticeLabel, VersionLabel};

// The page is what the background and every control's visibility say.
void ExpectPage(Shown page) {
    const ImageBytes* backgrounds[] = {&Step1Background, &Step2Background, &Step3Background};
    EXPECT_EQ(GetFormBackground(MainWindow), backgrounds[static_cast<int>(page)]);
    for (Control c : kStep1Controls) EXPECT_EQ(IsControlVisible(c), page == Shown::Step1) << c.role;
    for (Control c : kStep2Controls) EXPECT_EQ(IsControlVisible(c), page == Shown::Step2) << c.role;
    for (Control c : kStep3Controls) EXPECT_EQ(IsControlVisible(c), page == Shown::Step3) << c.role;
    for (Control c : kAlwaysShown) EXPECT_TRUE(IsControlVisible(c)) << c.role;
}

void Click(Control button) {
    WindowTest::Click(GetControlHandle(button));
}

// A fresh program for each test: the flags start at 0 every time.
class PagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AppTest::PlaceCatalogue(TwoGames());
        AppTest::StartProgramQuickly();
        WindowTest::Messages().clear();
    }
    void TearDown() override { AppTest::StopProgram(); }
};

TEST_F(PagesTest, StartsVisibleOnStepOneWithTheProductTitle) {
    HWND main = GetControlHandle(MainWindow);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsFormLoaded(SplashWindow));
    RECT rect;
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.right - rect.left, 620);
    EXPECT_EQ(rect.bottom - rect.top, 455);
    char title[64] = {};
    GetWindowTextA(main, title, sizeof title);
    EXPECT_STREQ(title, "Vantrel游戏硬件配置检测器 V1.0");
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);  // shown in the taskbar
    ExpectPage(Shown::Step1);
    EXPECT_EQ(GetControlText(VerdictLabel), "检测报告");
    EXPECT_EQ(GetControlText(VersionLabel), "V1.1");
}

TEST_F(PagesTest, StepTwoIsRefusedUntilAGameIsChosen) {
    Click(Step2Button);
    ASSERT_EQ(WindowTest::Messages().size(), 1u);
    EXPECT_EQ(WindowTest::Messages()[0].text, "请您先选择游戏！");
    EXPECT_EQ(WindowTest::Messages()[0].caption, "错误");
    EXPECT_EQ(WindowTest::Messages()[0].flags, 16);
    EXPECT_EQ(ConfigDetected, 0);
    EXPECT_FALSE(IsFormLoaded(ScanWindow));
    ExpectPage(Shown::Step1);
}

TEST_F(PagesTest, StepThreeIsRefusedUntilStepTwoHasRun) {
    Click(Step3Button);
    ASSERT_EQ(WindowTest::Messages().size(), 1u);
    EXPECT_EQ(WindowTest::Messages()[0].text, "请您先检测配置！");
    EXPECT_EQ(WindowTest::Messages()[0].caption, "错误");
    EXPECT_EQ(WindowTest::Messages()[0].flags, 16);
    ExpectPage(Shown::Step1);
    // A chosen game alone does not open step three either.
    Click(SearchButton);
    Click(Step3Button);
    EXPECT_EQ(WindowTest::Messages().size(), 2u);
    ExpectPage(Shown::Step1);
}

TEST_F(PagesTest, StepsSwitchPagesOnceAllowedAndStayAllowed) {
    Click(SearchButton);  // an empty search still counts as a choice
    EXPECT_EQ(GameChosen, 1);
    Click(Step2Button);
    EXPECT_TRUE(WindowTest::Messages().empty());
    EXPECT_EQ(ConfigDetected, 1);
    ExpectPage(Shown::Step2);
    EXPECT_TRUE(IsFormLoaded(ScanWindow));

    Click(Step3Button);
    ExpectPage(Shown::Step3);
    Click(Step1Button);
    ExpectPage(Shown::Step1);
    // Nothing new chosen: both later steps still open.
    Click(Step3Button);
    ExpectPage(Shown::Step3);
    Click(Step2Button);
    ExpectPage(Shown::Step2);
    Click(Step2Button);  // the same page again runs the step again
    ExpectPage(Shown::Step2);
    EXPECT_TRUE(WindowTest::Messages().empty());
}

TEST_F(PagesTest, StepThreeWithNothingSelectedEvaluatesTheFirstGame) {
    Click(SearchButton);  // empty search: a choice, but no item selected
    Click(Step2Button);
    Click(Step3Button);
    ASSERT_EQ(ListGetCurrentItem(GameList), -1);
    const std::string sentence = GetControlText(VerdictLabel);
    EXPECT_NE(sentence.find("英雄联盟！"), std::string::npos) << sentence;
}

TEST_F(PagesTest, ScanningWindowShowsForThreeSecondsThenClosesItself) {
    Click(SearchButton);
    const DWORD start = GetTickCount();
    Click(Step2Button);
    HWND scan = GetControlHandle(ScanWindow);
    ASSERT_NE(scan, nullptr);
    EXPECT_TRUE(IsWindowVisible(scan));
    RECT rect;
    GetWindowRect(scan, &rect);
    EXPECT_EQ(rect.right - rect.left, 295);
    EXPECT_EQ(rect.bottom - rect.top, 70);
    EXPECT_TRUE(GetWindowLongA(scan, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);  // not in the taskbar
    EXPECT_EQ(GetControlText(ScanLabel),
              "正在检测您的硬件，请稍候...\r\nScanning your hardware,please wait...");
    ASSERT_TRUE(Testing::PumpUntil([] { return !IsFormLoaded(ScanWindow); }, 6000));
    EXPECT_GE(GetTickCount() - start, 2900u);
}

TEST_F(PagesTest, MinimiseAndRestoreKeepThePage) {
    Click(SearchButton);
    Click(Step2Button);
    Click(MinimizeButton);
    HWND main = GetControlHandle(MainWindow);
    EXPECT_TRUE(IsIconic(main));
    ShowWindow(main, SW_RESTORE);  // as the taskbar button does
    EXPECT_FALSE(IsIconic(main));
    ExpectPage(Shown::Step2);
}

TEST_F(PagesTest, HomePageLinkOpensTheBrowserOnRelease) {
    std::vector<std::string> opened;
    Testing::SetBrowserHook([&opened](const std::string& address) { opened.push_back(address); });
    HWND link = GetControlHandle(HomePageLink);
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(opened.empty());  // pressing alone opens nothing
    SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Testing::SetBrowserHook(nullptr);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].rfind("https://", 0), 0u);
}

TEST_F(PagesTest, CloseButtonEndsTheProgramWithCodeZero) {
    EXPECT_EXIT(Click(CloseButton), ::testing::ExitedWithCode(0), "");
}

TEST_F(PagesTest, EscapeEndsTheProgramWithCodeZero) {
    HWND list = GetControlHandle(GameList);
    SetFocus(list);
    EXPECT_EXIT(WindowTest::PressKey(list, VK_ESCAPE), ::testing::ExitedWithCode(0), "");
}

// An empty catalogue opens, but has no game to evaluate: step three shows
// its page and leaves the result lines as they are instead of ending the
// program over a record that does not exist.
TEST(EmptyCatalogue, StepThreeShowsThePageAndEvaluatesNothing) {
    AppTest::PlaceCatalogue(*EncodeCatalogue(std::vector<CatalogueRecord>{}));
    AppTest::StartProgramQuickly();
    WindowTest::Messages().clear();
    EXPECT_EQ(ListGetItemCount(GameList), 0);
    Click(SearchButton);
    Click(Step2Button);
    Click(Step3Button);
    ExpectPage(Shown::Step3);
    EXPECT_EQ(GetControlText(VerdictLabel), "检测报告");
    EXPECT_TRUE(WindowTest::Messages().empty());
    AppTest::StopProgram();
}

// --- The splash ---------------------------------------------------------------

class SplashTest : public ::testing::Test {
  protected:
    void TearDown() override { AppTest::StopProgram(); }
};

TEST_F(SplashTest, MainWindowAppearsAboutThreeSecondsAfterStart) {
    AppTest::PlaceCatalogue(TwoGames());
    const DWORD start = GetTickCount();
    AppTest::StartProgram();
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 2900u);
    EXPECT_LT(elapsed, 10000u);  // a first tick late under load, not a hang
    EXPECT_TRUE(IsWindowVisible(GetControlHandle(MainWindow)));
}

TEST_F(SplashTest, ADirectoryNamedLikeTheCatalogueCountsAsPresent) {
    AppTest::PlaceCatalogue("", false);
    const std::string path = GetRunDirectory() + "\\database.dat";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    AppTest::StartProgram();
    EXPECT_TRUE(IsWindowVisible(GetControlHandle(MainWindow)));
    EXPECT_EQ(ListGetItemCount(GameList), 0);  // not a readable catalogue: an empty list
    RemoveDirectoryA(path.c_str());
}

// Escape on the splash runs the catalogue check at once instead of leaving
// the hidden main window behind. The splash's own timer is stopped first, so
// only Escape can have revealed the main window.
bool gFallbackTimerRan;

void CALLBACK RestartSplashTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gFallbackTimerRan = true;  // Escape did nothing: let the splash finish so the test ends
    SetTimerPeriod(SplashTimer, 1);
}

void CALLBACK StopSplashTimerThenPressEscape(HWND, UINT, UINT_PTR id, DWORD) {
    HWND splash = GetControlHandle(SplashWindow);
    if (!splash) return;
    KillTimer(nullptr, id);
    SetTimerPeriod(SplashTimer, 0);
    WindowTest::PressKey(splash, VK_ESCAPE);
    SetTimer(nullptr, 0, 10000, RestartSplashTimer);
}

TEST_F(SplashTest, EscapeSkipsTheWaitAndStillChecksTheCatalogue) {
    AppTest::PlaceCatalogue(TwoGames());
    gFallbackTimerRan = false;
    SetTimer(nullptr, 0, 20, StopSplashTimerThenPressEscape);
    AppTest::StartProgram();
    EXPECT_FALSE(gFallbackTimerRan);
    EXPECT_FALSE(IsFormLoaded(SplashWindow));
    EXPECT_TRUE(IsWindowVisible(GetControlHandle(MainWindow)));
}

TEST_F(SplashTest, MissingCatalogueIsReportedAndEndsTheProgramBeforeTheMainWindowShows) {
    AppTest::PlaceCatalogue("", false);
    Testing::SetMessageHook([](const std::string& text, int flags, const std::string& caption) {
        const bool mainShown = IsWindowVisible(GetControlHandle(MainWindow));
        if (text == "未找到游戏数据库！" && caption == "错误" && flags == 16 && !mainShown)
            std::fputs("missing catalogue reported, main window hidden\n", stderr);
        return IDOK;
    });
    EXPECT_EXIT(AppTest::StartProgram(), ::testing::ExitedWithCode(0),
                "missing catalogue reported, main window hidden");
    WindowTest::RecordMessages();
}

}  // namespace
