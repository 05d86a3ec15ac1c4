#include "runtime/tests/window_test_support.h"

#include <cstdio>

#include "runtime/testing.h"
#include "runtime/window_runtime.h"

namespace WindowTest {

std::vector<ShownMessage>& Messages() {
    static std::vector<ShownMessage> messages;
    return messages;
}

void RecordMessages() {
    WindowRuntime::Testing::SetMessageHook(
        [](const std::string& text, int flags, const std::string& caption) {
            Messages().push_back({text, flags, caption});
            std::fprintf(stderr, "MessageBox[%s|%d]: %s\n", caption.c_str(), flags, text.c_str());
            std::fflush(stderr);
            return IDOK;
        });
}

void Click(HWND button) {
    SendMessageA(button, BM_CLICK, 0, 0);
    WindowRuntime::ProcessPendingEvents();
}

void ClickAt(HWND window, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    WindowRuntime::ProcessPendingEvents();
}

void DoubleClickAt(HWND window, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    WindowRuntime::ProcessPendingEvents();
}

void PressKey(HWND window, UINT virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
    WindowRuntime::ProcessPendingEvents();
}

COLORREF PixelAt(HWND window, int x, int y) {
    // What the screen shows, after every pending paint of the window's whole
    // family has been done: the real painting path, children included.
    HWND root = GetAncestor(window, GA_ROOT);
    SetWindowPos(root, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(root, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WindowRuntime::ProcessPendingEvents();
    POINT at{x, y};
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 1, 1, screen, at.x, at.y, SRCCOPY);
    COLORREF color = GetPixel(memory, 0, 0);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    SetWindowPos(root, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return color;
}

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace WindowTest
