#include "app/main_window.h"

#include <initializer_list>
#include <iterator>

#include "app/app_state.h"
#include "app/scan_window.h"
#include "app/splash_window.h"
#include "assets/images.h"
#include "catalogue/game_list.h"
#include "probe/detect_hardware.h"
#include "runtime/window_runtime.h"

using namespace WindowRuntime;

namespace {

constexpr char kHomePage[] = "https://www.vantrel.cn/";
constexpr std::uint32_t kRed = 0x0000FF;

void OnMinimizeClicked() {
    SetFormState(MainWindow, 2);
}
void OnCloseClicked() {
    EndProgram(0);
}
void OnHomePageLink() {
    OpenInBrowser(kHomePage);
}
// The chosen drive is read when step two runs.
void OnDriveChosen() {}

const ListColumn kGameListColumns[] = {{"游戏名称", 150}, {"游戏类型", 100}};

// clang-format off
const ControlDescription kControls[] = {
    {.role = kDriveBox, .name = "驱动器框1", .kind = ControlKind::DriveBox, .x = 369, .y = 144, .width = 92, .height = 20,
     .handler = OnDriveChosen},
    {.role = kVersionLabel, .name = "透明标签3", .kind = ControlKind::TransparentLabel, .x = 511, .y = 1, .width = 32, .height = 16,
     .text = "V1.1", .color = kBlack, .fontFace = "宋体", .fontHeight = 12},
    {.role = kHomePageLink, .name = "透明标签2", .kind = ControlKind::TransparentLabel, .x = 8, .y = 432, .width = 200, .height = 24,
     .text = "访问 Vantrel 官方网站", .color = kWhite, .handler = OnHomePageLink, .handCursor = true},
    {.role = kNoticeLabel, .name = "透明标签1", .kind = ControlKind::TransparentLabel, .x = 415, .y = 436, .width = 201, .height = 16,
     .text = "Vantrel 工作室出品 · 结果仅供参考", .color = kWhite},
    {.role = kCloseButton, .name = "按钮7", .kind = ControlKind::PushButton, .x = 576, .y = 0, .width = 44, .height = 17,
     .handler = OnCloseClicked},
    {.role = kMinimizeButton, .name = "按钮6", .kind = ControlKind::PushButton, .x = 545, .y = 0, .width = 31, .height = 17,
     .handler = OnMinimizeClicked},
    {.role = kGameList, .name = "超级列表框1", .kind = ControlKind::ListView, .x = 134, .y = 145, .width = 348, .height = 194,
     .handler = OnGameListClick, .activateHandler = OnGameListActivate,
     .columns = kGameListColumns, .columnCount = static_cast<int>(std::size(kGameListColumns))},
    {.role = kSearchBox, .name = "编辑框1", .kind = ControlKind::EditBox, .x = 154, .y = 86, .width = 300, .height = 17},
    {.role = kSearchButton, .name = "按钮4", .kind = ControlKind::PushButton, .x = 464, .y = 81, .width = 24, .height = 24,
     .text = "搜索", .handler = SearchGameList},
    {.role = kVerdictLabel, .name = "透明标签12", .kind = ControlKind::TransparentLabel, .x = 73, .y = 288, .width = 477, .height = 55,
     .visible = false, .text = "检测报告", .color = kBlack, .fontFace = "宋体", .fontHeight = 16},
    {.role = kDiskResultLabel, .name = "透明标签16", .kind = ControlKind::TransparentLabel, .x = 314, .y = 222, .width = 187, .height = 16,
     .visible = false, .text = "磁盘空间检测未通过！", .color = kRed},
    {.role = kVideoResultLabel, .name = "透明标签15", .kind = ControlKind::TransparentLabel, .x = 314, .y = 182, .width = 187, .height = 16,
     .visible = false, .text = "显卡检测未通过！", .color = kRed},
    {.role = kMemoryResultLabel, .name = "透明标签14", .kind = ControlKind::TransparentLabel, .x = 314, .y = 141, .width = 187, .height = 16,
     .visible = false, .text = "内存检测未通过！", .color = kRed},
    {.role = kCpuResultLabel, .name = "透明标签13", .kind = ControlKind::TransparentLabel, .x = 314, .y = 101, .width = 187, .height = 16,
     .visible = false, .text = "CPU检测未通过！", .color = kRed},
    {.role = kCpuInfoLabel, .name = "透明标签10", .kind = ControlKind::TransparentLabel, .x = 187, .y = 100, .width = 312, .height = 16,
     .visible = false},
    {.role = kMemoryInfoLabel, .name = "透明标签7", .kind = ControlKind::TransparentLabel, .x = 187, .y = 144, .width = 312, .height = 16,
     .visible = false},
    {.role = kVideoInfoLabel, .name = "透明标签4", .kind = ControlKind::TransparentLabel, .x = 187, .y = 186, .width = 312, .height = 16,
     .visible = false},
    {.role = kDiskInfoLabel, .name = "透明标签8", .kind = ControlKind::TransparentLabel, .x = 187, .y = 230, .width = 312, .height = 16,
     .visible = false},
    {.role = kSoundInfoLabel, .name = "透明标签5", .kind = ControlKind::TransparentLabel, .x = 187, .y = 271, .width = 312, .height = 16,
     .visible = false},
    {.role = kOsInfoLabel, .name = "透明标签6", .kind = ControlKind::TransparentLabel, .x = 187, .y = 313, .width = 312, .height = 16,
     .visible = false},
    {.role = kStep3Button, .name = "按钮3", .kind = ControlKind::PushButton, .x = 407, .y = 401, .width = 160, .height = 30,
     .text = "第三步", .handler = ShowStep3},
    {.role = kStep2Button, .name = "按钮2", .kind = ControlKind::PushButton, .x = 230, .y = 401, .width = 160, .height = 30,
     .text = "第二步", .handler = ShowStep2},
    {.role = kStep1Button, .name = "按钮1", .kind = ControlKind::PushButton, .x = 51, .y = 401, .width = 160, .height = 30,
     .text = "第一步", .handler = ShowStep1},
    {.role = kVerdictPicture, .name = "图片框1", .kind = ControlKind::PictureBox, .x = 120, .y = 96, .width = 128, .height = 128,
     .visible = false},
};
// clang-format on

void SetVisible(std::initializer_list<Control> controls, bool visible) {
    for (Control c : controls) SetControlVisible(c, visible);
}

}  // namespace

const FormDescription MainWindow{
    .title = "Vantrel游戏硬件配置检测器 V1.0",
    .width = 620,
    .height = 455,
    .showInTaskbar = true,
    .draggable = true,
    .escape = EscapeKey::Close,
    .onEscape = nullptr,
    .onCreated = OnMainWindowCreated,
    .controls = kControls,
    .controlCount = std::size(kControls),
};

void OnMainWindowCreated() {
    // Returns once the splash is gone; by then it has shown this window or
    // ended the program.
    LoadForm(SplashWindow, true);
    SetFormBackground(MainWindow, Step1Background);
    FillGameList();
    RedrawControl(DriveBox);
}

void ShowStep1() {
    SetFormBackground(MainWindow, Step1Background);
    SetVisible({SearchBox, SearchButton, GameList, DriveBox}, true);
    SetVisible({VideoInfoLabel, SoundInfoLabel, OsInfoLabel, MemoryInfoLabel, DiskInfoLabel,
                CpuInfoLabel, VerdictLabel, CpuResultLabel, MemoryResultLabel, VideoResultLabel,
                DiskResultLabel, VerdictPicture},
               false);
}

void ShowStep2() {
    if (GameChosen != 1) {
        ShowMessage("请您先选择游戏！", MB_ICONERROR | MB_OK, "错误");
        return;
    }
    SetFormBackground(MainWindow, Step2Background);
    ConfigDetected = 1;
    SetVisible({SearchBox, SearchButton, GameList, VerdictLabel, CpuResultLabel, MemoryResultLabel,
                VideoResultLabel, DiskResultLabel, VerdictPicture, DriveBox},
               false);
    SetVisible(
        {VideoInfoLabel, SoundInfoLabel, OsInfoLabel, MemoryInfoLabel, DiskInfoLabel, CpuInfoLabel},
        true);
    LoadForm(ScanWindow, false);
    DetectHardware();
}

void ShowStep3() {
    if (ConfigDetected != 1) {
        ShowMessage("请您先检测配置！", MB_ICONERROR | MB_OK, "错误");
        return;
    }
    SetFormBackground(MainWindow, Step3Background);
    SetVisible({SearchBox, SearchButton, GameList, VideoInfoLabel, SoundInfoLabel, OsInfoLabel,
                MemoryInfoLabel, DiskInfoLabel, CpuInfoLabel, DriveBox},
               false);
    SetVisible({VerdictLabel, CpuResultLabel, MemoryResultLabel, VideoResultLabel, DiskResultLabel,
                VerdictPicture},
               true);
    EvaluateSelectedGame();
}
