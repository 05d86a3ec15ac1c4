// The run time against a small form of every control kind, driven with real
// window messages.
#include "runtime/window_runtime.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>

#include "assets/images.h"
#include "runtime/fatal.h"
#include "runtime/testing.h"
#include "runtime/tests/window_test_support.h"

using namespace WindowRuntime;

namespace {

enum Role : int {
    kButton,
    kLabel,
    kLink,
    kEdit,
    kList,
    kDrives,
    kTimer,
    kCanvas,
    kCanvasLabel,
    kPicture
};

int gClicks, gLinkReleases, gTicks, gListClicks, gActivations, gDriveChoices, gEscapes;
int gSelectionSeenByClick;

extern const FormDescription TestForm;
constexpr Control Button{&TestForm, kButton};
constexpr Control Label{&TestForm, kLabel};
constexpr Control Link{&TestForm, kLink};
constexpr Control Edit{&TestForm, kEdit};
constexpr Control List{&TestForm, kList};
constexpr Control Drives{&TestForm, kDrives};
constexpr Control Timer{&TestForm, kTimer};
constexpr Control Picture{&TestForm, kPicture};

const ListColumn kColumns[] = {{"名称", 150}, {"类型", 100}};

// clang-format off
const ControlDescription kControls[] = {
    {.role = kButton, .name = "按钮1", .kind = ControlKind::PushButton, .x = 10, .y = 10, .width = 80, .height = 24,
     .text = "按我", .handler = [] { ++gClicks; }},
    {.role = kLabel, .name = "透明标签1", .kind = ControlKind::TransparentLabel, .x = 100, .y = 10, .width = 120, .height = 16,
     .text = "标签文字", .color = 0x0000FF},
    {.role = kLink, .name = "透明标签2", .kind = ControlKind::TransparentLabel, .x = 100, .y = 30, .width = 120, .height = 16,
     .text = "链接", .handler = [] { ++gLinkReleases; }, .handCursor = true},
    {.role = kEdit, .name = "编辑框1", .kind = ControlKind::EditBox, .x = 10, .y = 60, .width = 200, .height = 18},
    {.role = kList, .name = "超级列表框1", .kind = ControlKind::ListView, .x = 10, .y = 90, .width = 300, .height = 120,
     .handler = [] { ++gListClicks; gSelectionSeenByClick = ListGetCurrentItem(List); },
     .activateHandler = [] { ++gActivations; }, .columns = kColumns, .columnCount = 2},
    {.role = kDrives, .name = "驱动器框1", .kind = ControlKind::DriveBox, .x = 320, .y = 10, .width = 150, .height = 20,
     .handler = [] { ++gDriveChoices; }},
    {.role = kTimer, .name = "时钟1", .kind = ControlKind::Timer, .x = 0, .y = 0, .width = 26, .height = 26,
     .visible = false, .handler = [] { ++gTicks; }, .timerPeriod = 50},
    {.role = kCanvas, .name = "画板1", .kind = ControlKind::Canvas, .x = 320, .y = 100, .width = 150, .height = 100,
     .backColor = 0x00FFFF},
    {.role = kCanvasLabel, .name = "透明标签3", .kind = ControlKind::TransparentLabel, .x = 5, .y = 5, .width = 100, .height = 16,
     .text = "画板上", .parentRole = kCanvas},
    {.role = kPicture, .name = "图片框1", .kind = ControlKind::PictureBox, .x = 320, .y = 210, .width = 32, .height = 32,
     .visible = false},
};
// clang-format on

const FormDescription TestForm{
    .title = "运行时测试窗口",
    .width = 500,
    .height = 260,
    .showInTaskbar = true,
    .draggable = true,
    .escape = EscapeKey::CallHandler,
    .onEscape = [] { ++gEscapes; },
    .onCreated = nullptr,
    .controls = kControls,
    .controlCount = std::size(kControls),
};

const FormDescription ClosingForm{
    .title = "按 Esc 关闭",
    .width = 100,
    .height = 100,
    .showInTaskbar = false,
    .draggable = false,
    .escape = EscapeKey::Close,
    .onEscape = nullptr,
    .onCreated = [] { CloseForm(ClosingForm); },
    .controls = nullptr,
    .controlCount = 0,
};

bool gModalClosedByTimer;
extern const FormDescription ModalForm;
const ControlDescription kModalControls[] = {{.role = 0,
                                              .name = "时钟1",
                                              .kind = ControlKind::Timer,
                                              .x = 0,
                                              .y = 0,
                                              .width = 0,
                                              .height = 0,
                                              .handler =
                                                  [] {
                                                      gModalClosedByTimer = true;
                                                      CloseForm(ModalForm);
                                                  },
                                              .timerPeriod = 100}};
const FormDescription ModalForm{.title = "模态",
                                .width = 120,
                                .height = 80,
                                .showInTaskbar = false,
                                .draggable = false,
                                .escape = EscapeKey::Ignore,
                                .onEscape = nullptr,
                                .onCreated = nullptr,
                                .controls = kModalControls,
                                .controlCount = std::size(kModalControls)};

class WindowRuntimeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gClicks = gLinkReleases = gTicks = gListClicks = gActivations = gDriveChoices = gEscapes =
            0;
        gSelectionSeenByClick = -2;
        WindowTest::Messages().clear();
        LoadForm(TestForm, false);
        ASSERT_NE(GetControlHandle(TestForm), nullptr);
        SetTimerPeriod(Timer, 0);
    }
    void TearDown() override { Testing::DestroyAllForms(); }

    static void FillList(int count) {
        for (int i = 0; i < count; ++i) {
            ListInsertItem(List, i, 100 + i);
            ListSetItemText(List, i, 0, "游戏" + std::to_string(i));
            ListSetItemText(List, i, 1, "类型");
        }
        // The control learns of new items from the event loop, before any input.
        ProcessPendingEvents();
    }
    static RECT ItemRect(int index) {
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        SendMessageA(GetControlHandle(List), LVM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
};

TEST_F(WindowRuntimeTest, EveryVisibleControlIsARealChildAtItsPlaceWithReadableText) {
    HWND form = GetControlHandle(TestForm);
    struct Case {
        Control control;
        RECT rect;
        const char* text;
    } cases[] = {
        {Button, {10, 10, 90, 34}, "按我"},
        {Label, {100, 10, 220, 26}, "标签文字"},
        {Edit, {10, 60, 210, 78}, ""},
        {List, {10, 90, 310, 210}, ""},
    };
    for (const Case& c : cases) {
        HWND hwnd = GetControlHandle(c.control);
        ASSERT_NE(hwnd, nullptr) << c.text;
        EXPECT_EQ(GetParent(hwnd), form);
        RECT r = WindowTest::ChildRect(hwnd);
        EXPECT_EQ(r.left, c.rect.left);
        EXPECT_EQ(r.top, c.rect.top);
        EXPECT_EQ(r.right, c.rect.right);
        EXPECT_EQ(r.bottom, c.rect.bottom);
        char text[64] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        EXPECT_STREQ(text, c.text);
        EXPECT_TRUE(IsWindowVisible(hwnd));
    }
    EXPECT_EQ(GetControlHandle(Timer), nullptr);  // timers have no window
    EXPECT_FALSE(IsControlVisible(Picture));
    // A control on a canvas is the canvas's child, placed relative to it.
    HWND canvasLabel = GetControlHandle(Control{&TestForm, kCanvasLabel});
    EXPECT_EQ(GetParent(canvasLabel), GetControlHandle(Control{&TestForm, kCanvas}));
    EXPECT_EQ(WindowTest::ChildRect(canvasLabel).left, 5);
}

TEST_F(WindowRuntimeTest, FormIsBorderlessAndCentred) {
    HWND form = GetControlHandle(TestForm);
    RECT window, client;
    GetWindowRect(form, &window);
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 500);
    EXPECT_EQ(client.bottom, 260);
    EXPECT_EQ(window.right - window.left, 500);
    EXPECT_FALSE(GetWindowLongA(form, GWL_STYLE) & WS_CAPTION);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);
    char title[64] = {};
    GetWindowTextA(form, title, sizeof title);
    EXPECT_STREQ(title, "运行时测试窗口");
}

TEST_F(WindowRuntimeTest, TextsColoursAndVisibilityChangeOnRequest) {
    SetControlText(Label, "新的文字");
    EXPECT_EQ(GetControlText(Label), "新的文字");
    SetControlText(Edit, "abc 中文");
    EXPECT_EQ(GetControlText(Edit), "abc 中文");
    SetLabelTextColor(Label, 65280);
    EXPECT_EQ(GetLabelTextColor(Label), 65280u);
    SetControlVisible(Label, false);
    EXPECT_FALSE(IsWindowVisible(GetControlHandle(Label)));
    SetControlVisible(Label, true);
    EXPECT_TRUE(IsWindowVisible(GetControlHandle(Label)));
}

TEST_F(WindowRuntimeTest, ButtonLabelAndDriveEventsReachTheirHandlers) {
    WindowTest::Click(GetControlHandle(Button));
    EXPECT_EQ(gClicks, 1);
    WindowTest::ClickAt(GetControlHandle(Link), 5, 5);
    EXPECT_EQ(gLinkReleases, 1);
    HWND drives = GetControlHandle(Drives);
    SendMessageA(drives, CB_SETCURSEL, 0, 0);
    SendMessageA(GetParent(drives), WM_COMMAND, MAKEWPARAM(0, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(drives));
    EXPECT_EQ(gDriveChoices, 1);
}

TEST_F(WindowRuntimeTest, LabelsWithoutHandlerLetTheMouseThroughToTheForm) {
    EXPECT_EQ(SendMessageA(GetControlHandle(Label), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_NE(SendMessageA(GetControlHandle(Link), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST_F(WindowRuntimeTest, TimerTicksUntilStopped) {
    SetTimerPeriod(Timer, 30);
    EXPECT_TRUE(Testing::PumpUntil([] { return gTicks >= 2; }, 2000));
    SetTimerPeriod(Timer, 0);
    const int ticks = gTicks;
    Testing::PumpFor(200);
    EXPECT_EQ(gTicks, ticks);
}

TEST_F(WindowRuntimeTest, ListKeepsTextsAndDataAndIgnoresMissingColumns) {
    FillList(3);
    ListSetItemText(List, 1, 4, "看不见");  // the list has two columns
    EXPECT_EQ(ListGetItemCount(List), 3);
    EXPECT_EQ(ListGetItemText(List, 1, 0), "游戏1");
    EXPECT_EQ(ListGetItemText(List, 1, 1), "类型");
    EXPECT_EQ(ListGetItemText(List, 1, 4), "");
    EXPECT_EQ(ListGetItemData(List, 2), 102);
    EXPECT_EQ(ListGetItemData(List, 3), 0);
    EXPECT_EQ(ListGetItemData(List, -1), 0);
    const std::string longName(700, 'x');
    ListSetItemText(List, 0, 0, longName);
    EXPECT_EQ(ListGetItemText(List, 0, 0), longName);
    ListDeleteAll(List);
    EXPECT_EQ(ListGetItemCount(List), 0);
}

TEST_F(WindowRuntimeTest, CurrentItemIsTheSelectedOneAndCanBeSet) {
    FillList(30);
    EXPECT_EQ(ListGetCurrentItem(List), -1);
    ListSetCurrentItem(List, 25);
    EXPECT_EQ(ListGetCurrentItem(List), 25);
    ListSetCurrentItem(List, 2);
    EXPECT_EQ(ListGetCurrentItem(List), 2);
    HWND list = GetControlHandle(List);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
    ListEnsureVisible(List, 29);
    RECT item = ItemRect(29);
    RECT client;
    GetClientRect(list, &client);
    EXPECT_GE(item.top, 0);
    EXPECT_LE(item.bottom, client.bottom);  // fully in view
}

TEST_F(WindowRuntimeTest, ClickReachesTheHandlerAfterTheSelectionMoved) {
    FillList(5);
    RECT item = ItemRect(3);
    WindowTest::ClickAt(GetControlHandle(List), item.left + 10, (item.top + item.bottom) / 2);
    EXPECT_EQ(gListClicks, 1);
    EXPECT_EQ(gSelectionSeenByClick, 3);
    EXPECT_EQ(gActivations, 0);
}

TEST_F(WindowRuntimeTest, DoubleClickAndEnterActivateTheItem) {
    FillList(5);
    HWND list = GetControlHandle(List);
    RECT item = ItemRect(1);
    WindowTest::DoubleClickAt(list, item.left + 10, (item.top + item.bottom) / 2);
    EXPECT_EQ(gActivations, 1);
    SetFocus(list);
    WindowTest::PressKey(list, VK_RETURN);
    EXPECT_EQ(gActivations, 2);
    EXPECT_EQ(GetFocus(), list);  // Enter does not move the focus
}

TEST_F(WindowRuntimeTest, EnterOnAListWithoutFocusedItemActivatesNothing) {
    HWND list = GetControlHandle(List);
    SetFocus(list);
    WindowTest::PressKey(list, VK_RETURN);
    EXPECT_EQ(gActivations, 0);
}

TEST_F(WindowRuntimeTest, TypingTheStartOfANameSelectsIt) {
    for (const char* name : {"Apex", "Diablo", "DOTA 2", "Doom"}) {
        const int i = ListInsertItem(List, ListGetItemCount(List), 0);
        ListSetItemText(List, i, 0, name);
    }
    ProcessPendingEvents();
    HWND list = GetControlHandle(List);
    SetFocus(list);
    SendMessageA(list, WM_CHAR, 'd', 1);
    EXPECT_EQ(ListGetCurrentItem(List), 1);
    SendMessageA(list, WM_CHAR, 'o', 1);  // "do": the next name that begins so
    EXPECT_EQ(ListGetCurrentItem(List), 2);
}

TEST_F(WindowRuntimeTest, AHundredThousandItemsFillWithoutDrawingEach) {
    // The control only asks for the rows it shows; the run time keeps the rest.
    for (int i = 0; i < 100000; ++i) {
        ListInsertItem(List, i, i + 1);
        ListSetItemText(List, i, 0, "第" + std::to_string(i + 1) + "个游戏");
    }
    ProcessPendingEvents();
    HWND list = GetControlHandle(List);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 100000);
    ListSetCurrentItem(List, 99990);
    ListEnsureVisible(List, 99990);
    EXPECT_EQ(ListGetCurrentItem(List), 99990);
    EXPECT_EQ(ListGetItemData(List, 99990), 99991);
    char text[64] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, 99990, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "第99991个游戏");  // what the control draws comes from the run time
}

TEST_F(WindowRuntimeTest, DriveBoxListsDrivesWithTheirKindAndStartsOnTheCurrentDrive) {
    HWND box = GetControlHandle(Drives);
    const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
    ASSERT_GT(count, 0);
    for (int i = 0; i < count; ++i) {
        char entry[MAX_PATH] = {};
        SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
        const char letter =
            static_cast<char>(SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        ASSERT_GE(letter, 'A');
        ASSERT_LE(letter, 'Z');
        EXPECT_EQ(entry[0], letter);
        EXPECT_EQ(entry[1], ':');
        const std::string root = std::string(1, letter) + ":\\";
        const std::string rest = entry + 2;
        switch (GetDriveTypeA(root.c_str())) {
            case DRIVE_FIXED:
                EXPECT_EQ(rest.rfind(" （硬盘）", 0), 0u) << entry;
                break;
            case DRIVE_CDROM:
                EXPECT_EQ(rest, " （光驱）");
                break;
            case DRIVE_REMOTE:
                EXPECT_EQ(rest, " （网络驱动器）");
                break;
            case DRIVE_RAMDISK:
                EXPECT_EQ(rest, " （内存虚拟驱动器）");
                break;
            default:
                EXPECT_EQ(rest, "");
        }
    }
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof directory, directory);
    const char current = static_cast<char>(toupper(static_cast<unsigned char>(directory[0])));
    EXPECT_EQ(GetSelectedDrive(Drives), std::string(1, current));
    // Another choice is what step two reads.
    for (int i = 0; i < count; ++i) {
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        const char letter =
            static_cast<char>(SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        EXPECT_EQ(GetSelectedDrive(Drives), std::string(1, letter));
    }
    // With nothing selected, the process's current drive.
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(GetSelectedDrive(Drives), std::string(1, current));
}

TEST_F(WindowRuntimeTest, EscapeCallsTheFormsEscapeHandler) {
    HWND edit = GetControlHandle(Edit);
    SetFocus(edit);
    WindowTest::PressKey(edit, VK_ESCAPE);
    EXPECT_EQ(gEscapes, 1);
}

TEST_F(WindowRuntimeTest, EscapeClosesAFormThatAsksForIt) {
    const FormDescription& form = ClosingForm;
    // Its creation handler closes it again at once; a load that returns with
    // the form gone shows the close path works from inside the handler.
    LoadForm(form, true);
    EXPECT_FALSE(IsFormLoaded(form));
}

TEST_F(WindowRuntimeTest, BackgroundPictureShowsThroughTransparentLabels) {
    HWND form = GetControlHandle(TestForm);
    SetFormBackground(TestForm, Step1Background);
    EXPECT_EQ(GetFormBackground(TestForm), &Step1Background);
    UpdateWindow(form);
    // A point inside the label's rectangle but away from its glyphs shows the
    // form's own background, not a filled box.
    const COLORREF underLabel = WindowTest::PixelAt(form, 218, 24);
    const COLORREF besideLabel = WindowTest::PixelAt(form, 224, 24);
    EXPECT_NEAR(GetRValue(underLabel), GetRValue(besideLabel), 24);
    EXPECT_NEAR(GetGValue(underLabel), GetGValue(besideLabel), 24);
    EXPECT_NEAR(GetBValue(underLabel), GetBValue(besideLabel), 24);
    EXPECT_NE(besideLabel, GetSysColor(COLOR_BTNFACE));  // the picture was drawn
}

TEST_F(WindowRuntimeTest, PictureBoxShowsItsImage) {
    SetControlVisible(Picture, true);
    SetPictureImage(Picture, &CannotRunIcon);
    EXPECT_EQ(GetPictureImage(Picture), &CannotRunIcon);
    HWND picture = GetControlHandle(Picture);
    UpdateWindow(picture);
    const COLORREF centre = WindowTest::PixelAt(picture, 16, 16);
    EXPECT_GT(GetRValue(centre), 150);  // the red placeholder icon
    SetPictureImage(Picture, nullptr);
    EXPECT_EQ(GetPictureImage(Picture), nullptr);
}

TEST_F(WindowRuntimeTest, ModalLoadReturnsOnlyAfterTheFormIsClosed) {
    gModalClosedByTimer = false;
    const DWORD start = GetTickCount();
    LoadForm(ModalForm, true);
    EXPECT_TRUE(gModalClosedByTimer);
    EXPECT_FALSE(IsFormLoaded(ModalForm));
    EXPECT_GE(GetTickCount() - start, 90u);
    // The other form took no input while the modal one was open, and takes it again now.
    EXPECT_TRUE(IsWindowEnabled(GetControlHandle(TestForm)));
}

TEST_F(WindowRuntimeTest, RunDirectoryAndFileChecks) {
    const std::string directory = GetRunDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_NE(directory.back(), '\\');
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    EXPECT_EQ(std::string(module).rfind(directory + "\\", 0), 0u);
    EXPECT_TRUE(FileExists(module));
    EXPECT_TRUE(FileExists(directory));  // a directory counts as existing
    EXPECT_FALSE(FileExists(directory + "\\no-such-file.dat"));
}

TEST_F(WindowRuntimeTest, FatalErrorIsReportedThenEndsTheProgramWithItsCode) {
    EXPECT_EXIT(FatalError(kFatalTypeMismatch, "数据或数组类型不匹配"),
                ::testing::ExitedWithCode(kFatalTypeMismatch), "MessageBox\\[");
}

TEST_F(WindowRuntimeTest, EndProgramRunsExitRoutinesOnceAndEndsWithTheCode) {
    EXPECT_EXIT(
        {
            RegisterExitRoutine([] { std::fputs("exit routine ran\n", stderr); });
            EndProgram(7);
        },
        ::testing::ExitedWithCode(7), "exit routine ran");
}

}  // namespace
