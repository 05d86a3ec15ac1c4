#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Helpers for tests that drive real windows of this process.
namespace WindowTest {

struct ShownMessage {
    std::string text;
    int flags;
    std::string caption;
};

// Every message box the program asked for since the last clear. Tests see
// them here instead of a blocking modal box.
std::vector<ShownMessage>& Messages();
// The message hook every window test starts with: it records into Messages()
// and writes each message to stderr, where tests of the program's end read it.
void RecordMessages();

// A real button press: BM_CLICK makes the button send its own notification.
void Click(HWND button);
// Mouse press and release at a client point, as the user's click would arrive.
void ClickAt(HWND window, int x, int y);
void DoubleClickAt(HWND window, int x, int y);
// A key press queued to the window, so it passes through the event loop's
// own key handling; the queue is pumped afterwards.
void PressKey(HWND window, UINT virtualKey);
// Colour of a client pixel as it shows on the screen once painted.
COLORREF PixelAt(HWND window, int x, int y);
// The child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

}  // namespace WindowTest
