// vantrel-driver: works the running program from outside, for the run script.
//   vantrel-driver wait-main SECONDS   prints the main window's "x y width height"
//                                      once it is visible; exit 1 if it never is
//   vantrel-driver close-main          presses the main window's close button
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/driver/window_finder.h"

namespace {

constexpr char kMainTitle[] = "Vantrel游戏硬件配置检测器 V1.0";

HWND VisibleMainWindow() {
    for (const auto& w : WindowFinder::TopLevelWindows(0))
        if (w.visible && w.title == kMainTitle) return w.hwnd;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "wait-main") == 0) {
        const DWORD limit = static_cast<DWORD>(std::atoi(argv[2])) * 1000;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < limit) {
            if (HWND main = VisibleMainWindow()) {
                RECT rect;
                GetWindowRect(main, &rect);
                std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top);
                return 0;
            }
            Sleep(100);
        }
        std::fprintf(stderr, "the main window did not appear within %s s\n", argv[2]);
        return 1;
    }
    if (argc == 2 && std::strcmp(argv[1], "close-main") == 0) {
        HWND main = VisibleMainWindow();
        HWND close = main ? WindowFinder::ChildAt(main, 576, 0) : nullptr;
        if (!close) {
            std::fprintf(stderr, "no main window with a close button\n");
            return 1;
        }
        WindowFinder::PressButton(close);
        return 0;
    }
    std::fprintf(stderr, "usage: vantrel-driver wait-main SECONDS | close-main\n");
    return 2;
}
