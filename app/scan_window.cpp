#include "app/scan_window.h"

#include <iterator>

#include "assets/images.h"
#include "runtime/window_runtime.h"

using namespace WindowRuntime;

namespace {
constexpr std::uint32_t kCanvasColor = 0xF7F3EE;
const ControlDescription kControls[] = {
    {.role = kScanCanvas,
     .name = "画板1",
     .kind = ControlKind::Canvas,
     .x = 0,
     .y = 0,
     .width = 295,
     .height = 70,
     .backColor = kCanvasColor},
    {.role = kScanTimer,
     .name = "时钟1",
     .kind = ControlKind::Timer,
     .x = 263,
     .y = 7,
     .width = 26,
     .height = 26,
     .visible = false,
     .handler = OnScanTimer,
     .parentRole = kScanCanvas,
     .timerPeriod = kScanMilliseconds},
    {.role = kScanPicture,
     .name = "图片框1",
     .kind = ControlKind::PictureBox,
     .x = 16,
     .y = 16,
     .width = 32,
     .height = 32,
     .parentRole = kScanCanvas,
     .image = &ScanPictureImage},
    {.role = kScanLabel,
     .name = "透明标签1",
     .kind = ControlKind::TransparentLabel,
     .x = 39,
     .y = 21,
     .width = 272,
     .height = 32,
     .text = "正在检测您的硬件，请稍候...\r\nScanning your hardware,please wait...",
     .color = kBlack,
     .parentRole = kScanCanvas},
};
}  // namespace

const FormDescription ScanWindow{
    .title = "",
    .width = 295,
    .height = 70,
    .showInTaskbar = false,
    .draggable = false,
    .escape = EscapeKey::Close,
    .onEscape = nullptr,
    .onCreated = nullptr,
    .controls = kControls,
    .controlCount = std::size(kControls),
};

void OnScanTimer() {
    SetTimerPeriod(ScanTimer, 0);
    CloseForm(ScanWindow);
}
