#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Finding and working the program's windows from another process, the way
// an outside observer sees them.
namespace WindowFinder {

struct TopLevel {
    HWND hwnd;
    std::string title;
    std::string className;
    RECT rect;
    bool visible;
};

// Top-level windows of the process (every process when pid is 0).
std::vector<TopLevel> TopLevelWindows(DWORD pid);
// Text of any window, also of another process (WM_GETTEXT crosses processes).
std::string TextOf(HWND hwnd);
std::string ClassOf(HWND hwnd);
// The child whose rectangle, in the parent's client coordinates, starts at
// (x, y); nullptr if none.
HWND ChildAt(HWND parent, int x, int y);
std::vector<HWND> Children(HWND parent);
// A button press that does not wait for the handler to finish, since the
// handler may end the process or open a modal box.
void PressButton(HWND button);

}  // namespace WindowFinder
