#include "tools/driver/window_finder.h"

namespace WindowFinder {

std::string TextOf(HWND hwnd) {
    char text[1024] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &result);
    return text;
}

std::string ClassOf(HWND hwnd) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

namespace {

struct Search {
    DWORD pid;
    std::vector<TopLevel> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (s->pid && owner != s->pid) return TRUE;
    TopLevel w{hwnd, TextOf(hwnd), ClassOf(hwnd), {}, IsWindowVisible(hwnd) != FALSE};
    GetWindowRect(hwnd, &w.rect);
    s->found.push_back(w);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<TopLevel> TopLevelWindows(DWORD pid) {
    Search search{pid, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND ChildAt(HWND parent, int x, int y) {
    for (HWND child : Children(parent)) {
        if (GetParent(child) != parent) continue;
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.left == x && rect.top == y) return child;
    }
    return nullptr;
}

void PressButton(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

}  // namespace WindowFinder
