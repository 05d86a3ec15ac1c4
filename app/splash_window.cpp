#include "app/splash_window.h"

#include <iterator>

#include "app/main_window.h"
#include "assets/images.h"
#include "runtime/window_runtime.h"

using namespace WindowRuntime;

namespace {
const ControlDescription kControls[] = {
    {.role = kSplashTimer,
     .name = "时钟1",
     .kind = ControlKind::Timer,
     .x = 32,
     .y = 32,
     .width = 26,
     .height = 26,
     .visible = false,
     .handler = OnSplashTimer,
     .timerPeriod = kSplashMilliseconds},
};
}  // namespace

// Escape runs the catalogue check at once rather than closing the splash,
// which would leave the hidden main window behind with no way to show it.
const FormDescription SplashWindow{
    .title = "",
    .width = 500,
    .height = 517,
    .showInTaskbar = true,
    .draggable = false,
    .escape = EscapeKey::CallHandler,
    .onEscape = OnSplashTimer,
    .onCreated = OnSplashWindowCreated,
    .controls = kControls,
    .controlCount = std::size(kControls),
};

void OnSplashWindowCreated() {
    SetFormBackground(SplashWindow, SplashImage);
}

void OnSplashTimer() {
    const std::string path = GetRunDirectory() + "\\database.dat";
    if (FileExists(path)) {
        SetControlVisible(MainWindow, true);
        CloseForm(SplashWindow);
        return;
    }
    SetTimerPeriod(SplashTimer, 0);  // no further tick while the message is open
    ShowMessage("未找到游戏数据库！", MB_ICONERROR | MB_OK, "错误");
    EndProgram(0);
}
