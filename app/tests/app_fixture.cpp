#include "app/tests/app_fixture.h"

#include <windows.h>

#include <cstdio>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "catalogue/record_database.h"
#include "runtime/testing.h"
#include "runtime/window_runtime.h"

namespace AppTest {

void PlaceCatalogue(const std::string& bytes, bool present) {
    const std::string path = WindowRuntime::GetRunDirectory() + "\\database.dat";
    DeleteFileA(path.c_str());
    if (!present) return;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
}

void StartProgram() {
    ResetApplicationState();
    WindowRuntime::Testing::CreateStartupForm(MainWindow);
    // What the event loop does first once start-up has returned.
    WindowRuntime::ProcessPendingEvents();
}

namespace {
// Reaches into the splash's modal loop, which runs inside start-up.
void CALLBACK PressEscapeOnSplash(HWND, UINT, UINT_PTR id, DWORD) {
    HWND splash = WindowRuntime::GetControlHandle(SplashWindow);
    if (!splash) return;
    KillTimer(nullptr, id);
    PostMessageA(splash, WM_KEYDOWN, VK_ESCAPE, 1);
}
}  // namespace

void StartProgramQuickly() {
    SetTimer(nullptr, 0, 50, PressEscapeOnSplash);
    StartProgram();
}

void StopProgram() {
    WindowRuntime::Testing::DestroyAllForms();
    RecordDatabase::CloseDatabase();
    ResetApplicationState();
}

}  // namespace AppTest
