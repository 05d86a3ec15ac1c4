#include <windows.h>

#include "app/main_window.h"
#include "runtime/window_runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    WindowRuntime::Initialize();
    return WindowRuntime::RunProgram(MainWindow);
}
