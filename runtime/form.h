#pragma once
#include <cstddef>
#include <cstdint>

#include "assets/image_bytes.h"

// Forms are described as data: one table of controls per form. The run time
// builds real windows from these tables and calls the handlers.
namespace WindowRuntime {

using Handler = void (*)();

enum class ControlKind {
    PushButton,
    TransparentLabel,  // draws only its text over the parent's background
    EditBox,           // single line
    ListView,          // report style
    DriveBox,          // drop-down list of the system's drives
    PictureBox,
    Canvas,  // a filled panel that holds other controls
    Timer,   // never seen; has no window
};

struct ListColumn {
    const char* title;
    int width;
};

constexpr int kOnForm = -1;  // parentRole of a control placed on the form itself
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

struct ControlDescription {
    int role;          // the form's own enumeration of its controls
    const char* name;  // name in the form, e.g. "按钮1"
    ControlKind kind;
    int x, y, width, height;  // relative to the parent's client area
    bool visible = true;
    const char* text = "";
    std::uint32_t color = kBlack;    // text colour, 0x00BBGGRR
    const char* fontFace = nullptr;  // nullptr: the run time's default font
    int fontHeight = 0;              // pixels
    Handler handler =
        nullptr;  // clicked, left button released, drive chosen, timer elapsed, list click
    Handler activateHandler = nullptr;  // list item activation (double-click, Enter)
    int parentRole = kOnForm;           // a Canvas of the same form
    int timerPeriod = 0;                // milliseconds; Timer only
    const ImageBytes* image = nullptr;  // PictureBox only
    bool handCursor = false;
    const ListColumn* columns = nullptr;  // ListView only
    int columnCount = 0;
    std::uint32_t backColor = kWhite;  // Canvas fill
};

enum class EscapeKey { Ignore, Close, CallHandler };

struct FormDescription {
    const char* title;
    int width, height;
    bool showInTaskbar;
    bool draggable;
    EscapeKey escape;
    Handler onEscape;   // EscapeKey::CallHandler
    Handler onCreated;  // runs once the form and its controls exist
    const ControlDescription* controls;
    std::size_t controlCount;
};

// A control of a form, named by its form and role.
struct Control {
    const FormDescription* form;
    int role;
};

}  // namespace WindowRuntime
