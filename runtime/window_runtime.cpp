// The window run time: form building, the window procedures, the event loop
// and event dispatch all live here, so the rest of the program states what it
// wants in form tables and small handlers.
#include "runtime/window_runtime.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "runtime/fatal.h"
#include "runtime/images.h"
#include "runtime/list_items.h"
#include "runtime/testing.h"

namespace WindowRuntime {
namespace {

constexpr char kFormClass[] = "VantrelRuntimeForm";
constexpr char kLabelClass[] = "VantrelRuntimeLabel";
constexpr char kCanvasClass[] = "VantrelRuntimeCanvas";
constexpr char kPictureClass[] = "VantrelRuntimePicture";
constexpr char kControlProperty[] = "VantrelRuntimeControl";

// Private messages.
constexpr UINT kPaintBackground = WM_APP + 1;  // wParam: HDC, lParam: the child asking
constexpr UINT kDestroyForm = WM_APP + 2;
constexpr UINT kSyncList = WM_APP + 3;  // lParam: the list whose item count changed

constexpr UINT_PTR kFirstTimerId = 100;
constexpr int kDropDownListHeight = 220;
constexpr char kDefaultFontFace[] = "宋体";
constexpr int kDefaultFontHeight = 12;
constexpr COLORREF kCanvasBorder = RGB(160, 160, 160);

struct FontDeleter {
    void operator()(HFONT font) const {
        if (font) DeleteObject(font);
    }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

struct FormInstance;

struct ControlInstance {
    const ControlDescription* desc = nullptr;
    FormInstance* form = nullptr;
    HWND hwnd = nullptr;
    FontHandle font;
    std::uint32_t color = kBlack;
    const ImageBytes* image = nullptr;
    int timerPeriod = 0;
    // Lists: the items, and how many of them the control has been told of.
    std::unique_ptr<ListItems> items;
    int shownCount = 0;
    bool syncPosted = false;
};

struct FormInstance {
    const FormDescription* desc = nullptr;
    HWND hwnd = nullptr;
    std::vector<std::unique_ptr<ControlInstance>> controls;
    const ImageBytes* background = nullptr;
    bool startup = false;
};

struct State {
    std::vector<std::unique_ptr<FormInstance>> forms;
    std::vector<Handler> exitRoutines;
    bool ending = false;
    Testing::MessageHook messageHook;
    Testing::BrowserHook browserHook;
};

State& S() {
    static State state;
    return state;
}

FormInstance* FindForm(const FormDescription* desc) {
    for (auto& form : S().forms)
        if (form->desc == desc && form->hwnd) return form.get();
    return nullptr;
}

FormInstance* FormOfWindow(HWND hwnd) {
    for (auto& form : S().forms)
        if (form->hwnd == hwnd) return form.get();
    return nullptr;
}

ControlInstance* FindControl(Control control) {
    FormInstance* form = FindForm(control.form);
    if (!form) return nullptr;
    for (auto& c : form->controls)
        if (c->desc->role == control.role) return c.get();
    return nullptr;
}

ControlInstance* ControlOfWindow(HWND hwnd) {
    return hwnd ? static_cast<ControlInstance*>(GetPropA(hwnd, kControlProperty)) : nullptr;
}

HWND WindowOf(Control control) {
    ControlInstance* c = FindControl(control);
    return c ? c->hwnd : nullptr;
}

// Tells the list control how many items there are. Filling a list only
// stores items; the control learns the new count once, from the event loop,
// or sooner when an operation needs the control to be up to date.
void SyncListCount(ControlInstance& c) {
    c.syncPosted = false;
    if (!c.hwnd || !c.items || c.shownCount == c.items->Count()) return;
    c.shownCount = c.items->Count();
    SendMessageA(c.hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(c.shownCount), LVSICF_NOSCROLL);
}

std::string WindowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

void CallHandler(Handler handler) {
    if (handler) handler();
}

// --- Painting a child's share of its parent's background -------------------

void PaintParentBackground(HWND child, HDC dc, const RECT& clientRect) {
    HWND parent = GetParent(child);
    if (!parent || !SendMessageA(parent, kPaintBackground, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(child)))
        FillRect(dc, &clientRect, GetSysColorBrush(COLOR_BTNFACE));
}

// Paints what a parent shows under one of its children: the part of the
// background picture (or the plain fill), then any picture box beside the
// child that it overlaps, so a transparent label never blanks out a picture.
void PaintBackgroundFor(HWND parent, HWND child, HDC dc, const ImageBytes* picture, COLORREF fill) {
    RECT rect;
    GetClientRect(child, &rect);
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    if (picture) Images::DrawImagePart(dc, *picture, rect, origin.x, origin.y);
    ControlInstance* self = ControlOfWindow(child);
    if (!self) return;
    for (auto& sibling : self->form->controls) {
        const ControlInstance& s = *sibling;
        if (s.desc->kind != ControlKind::PictureBox || !s.image || s.hwnd == child || !s.hwnd ||
            GetParent(s.hwnd) != parent || !IsWindowVisible(s.hwnd))
            continue;
        RECT box;
        GetClientRect(s.hwnd, &box);
        MapWindowPoints(s.hwnd, parent, reinterpret_cast<POINT*>(&box), 2);
        OffsetRect(&box, -origin.x, -origin.y);
        RECT overlap;
        if (IntersectRect(&overlap, &box, &rect)) Images::DrawImage(dc, *s.image, box);
    }
}

// Off-screen painting so that a label's background and text appear at once.
class BufferedPaint {
  public:
    explicit BufferedPaint(HWND hwnd) : hwnd_(hwnd) {
        screen_ = BeginPaint(hwnd, &ps_);
        GetClientRect(hwnd, &rect_);
        memory_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, std::max<LONG>(rect_.right, 1),
                                         std::max<LONG>(rect_.bottom, 1));
        old_ = SelectObject(memory_, bitmap_);
    }
    ~BufferedPaint() {
        BitBlt(screen_, 0, 0, rect_.right, rect_.bottom, memory_, 0, 0, SRCCOPY);
        SelectObject(memory_, old_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        EndPaint(hwnd_, &ps_);
    }
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC dc() const { return memory_; }
    const RECT& rect() const { return rect_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC screen_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    RECT rect_{};
};

// --- Event dispatch ----------------------------------------------------------

// WM_COMMAND and WM_NOTIFY reach the control's parent, a form or a canvas.
bool DispatchCommand(WPARAM wParam, LPARAM lParam) {
    ControlInstance* c = ControlOfWindow(reinterpret_cast<HWND>(lParam));
    if (!c) return false;
    const UINT code = HIWORD(wParam);
    switch (c->desc->kind) {
        case ControlKind::PushButton:
            if (code == BN_CLICKED) CallHandler(c->desc->handler);
            return true;
        case ControlKind::DriveBox:
            if (code == CBN_SELENDOK) CallHandler(c->desc->handler);
            return true;
        default:
            return false;
    }
}

// `result` is what the notification answers, where the control asks for one.
bool DispatchNotify(LPARAM lParam, LRESULT& result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    ControlInstance* c = ControlOfWindow(header->hwndFrom);
    if (!c || c->desc->kind != ControlKind::ListView) return false;
    switch (header->code) {
        case LVN_GETDISPINFOA: {
            auto* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
            if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0)
                lstrcpynA(info->item.pszText,
                          c->items->Text(info->item.iItem, info->item.iSubItem).c_str(),
                          info->item.cchTextMax);
            break;
        }
        case LVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
            if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
                const std::string& text = c->items->Text(info->item.iItem, info->item.iSubItem);
                const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, info->item.pszText,
                                                  info->item.cchTextMax);
                if (n == 0) info->item.pszText[info->item.cchTextMax - 1] = L'\0';
            }
            break;
        }
        case LVN_ODFINDITEMA: {
            // Typing the start of a name jumps to it.
            auto* find = reinterpret_cast<NMLVFINDITEMA*>(lParam);
            const bool byText = (find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find->lvfi.psz;
            result = byText ? c->items->FindPrefix(find->lvfi.psz, find->iStart) : -1;
            break;
        }
        case LVN_ODFINDITEMW: {
            auto* find = reinterpret_cast<NMLVFINDITEMW*>(lParam);
            result = -1;
            if ((find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find->lvfi.psz) {
                char prefix[256] = {};
                if (WideCharToMultiByte(CP_ACP, 0, find->lvfi.psz, -1, prefix, sizeof prefix,
                                        nullptr, nullptr) > 0)
                    result = c->items->FindPrefix(prefix, find->iStart);
            }
            break;
        }
        case NM_CLICK:  // sent after the list has updated its selection
            CallHandler(c->desc->handler);
            break;
        case LVN_ITEMACTIVATE:
            CallHandler(c->desc->activateHandler);
            break;
    }
    return true;
}

// Keys that the run time handles itself, before the focused control sees them.
bool PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_ESCAPE) {
        FormInstance* form = FormOfWindow(GetAncestor(msg.hwnd, GA_ROOT));
        if (!form) return false;
        const FormDescription* desc = form->desc;
        if (desc->escape == EscapeKey::Close) {
            PostMessageA(form->hwnd, WM_CLOSE, 0, 0);
            return true;
        }
        if (desc->escape == EscapeKey::CallHandler) {
            CallHandler(desc->onEscape);
            return true;
        }
        return false;
    }
    if (msg.wParam == VK_RETURN) {
        // Enter on a list activates its focused item; the key never moves the focus.
        ControlInstance* c = ControlOfWindow(msg.hwnd);
        if (c && c->desc->kind == ControlKind::ListView) {
            if (SendMessageA(c->hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) >= 0)
                CallHandler(c->desc->activateHandler);
            return true;
        }
        return c != nullptr && c->desc->kind != ControlKind::EditBox;
    }
    return false;
}

void DispatchOne(MSG& msg) {
    if (PreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

// Runs the event loop until the predicate holds (checked after each message).
template <typename Done>
void RunLoopUntil(Done done) {
    MSG msg;
    while (!done()) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT belongs to an outer loop
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0) return;
        DispatchOne(msg);
    }
}

// --- Window procedures -------------------------------------------------------

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    FormInstance* form = FormOfWindow(hwnd);
    switch (message) {
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(hwnd, &rect);
            HDC dc = reinterpret_cast<HDC>(wParam);
            FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
            if (form && form->background) Images::DrawImage(dc, *form->background, rect);
            return 1;
        }
        case kPaintBackground:
            PaintBackgroundFor(hwnd, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                               form ? form->background : nullptr, GetSysColor(COLOR_BTNFACE));
            return 1;
        case WM_LBUTTONDOWN:
            if (form && form->desc->draggable) {
                // Dragging from any free point: let the system move the window
                // as if its caption had been grabbed.
                ReleaseCapture();
                SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
                return 0;
            }
            break;
        case WM_COMMAND:
            if (DispatchCommand(wParam, lParam)) return 0;
            break;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (DispatchNotify(lParam, result)) return result;
            break;
        }
        case WM_TIMER:
            if (form) {
                for (auto& c : form->controls) {
                    if (c->desc->kind == ControlKind::Timer &&
                        kFirstTimerId + static_cast<UINT_PTR>(c->desc->role) == wParam) {
                        CallHandler(c->desc->handler);
                        break;
                    }
                }
            }
            return 0;
        case WM_CLOSE:
            if (form && form->startup) EndProgram(0);
            DestroyWindow(hwnd);
            return 0;
        case kDestroyForm:
            DestroyWindow(hwnd);
            return 0;
        case kSyncList:
            if (ControlInstance* list = ControlOfWindow(reinterpret_cast<HWND>(lParam)))
                SyncListCount(*list);
            return 0;
        case WM_NCDESTROY: {
            auto& forms = S().forms;
            forms.erase(std::remove_if(forms.begin(), forms.end(),
                                       [hwnd](const auto& f) { return f->hwnd == hwnd; }),
                        forms.end());
            break;
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlInstance* c = ControlOfWindow(hwnd);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            BufferedPaint paint(hwnd);
            PaintParentBackground(hwnd, paint.dc(), paint.rect());
            std::string text = WindowText(hwnd);
            if (!text.empty()) {
                SetBkMode(paint.dc(), TRANSPARENT);
                SetTextColor(paint.dc(), c ? c->color : kBlack);
                HGDIOBJ oldFont = nullptr;
                if (c && c->font) oldFont = SelectObject(paint.dc(), c->font.get());
                RECT rect = paint.rect();
                DrawTextA(paint.dc(), text.c_str(), static_cast<int>(text.size()), &rect,
                          DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
                if (oldFont) SelectObject(paint.dc(), oldFont);
            }
            return 0;
        }
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            return result;
        }
        case WM_NCHITTEST:
            // Labels without a handler let the mouse through, so the form
            // under them can still be dragged.
            if (!c || !c->desc->handler) return HTTRANSPARENT;
            break;
        case WM_SETCURSOR:
            if (c && c->desc->handCursor) {
                SetCursor(LoadCursor(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_LBUTTONUP:
            if (c) CallHandler(c->desc->handler);
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlInstance* c = ControlOfWindow(hwnd);
    const COLORREF fill = c ? c->desc->backColor : kWhite;
    switch (message) {
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(hwnd, &rect);
            HDC dc = reinterpret_cast<HDC>(wParam);
            HBRUSH brush = CreateSolidBrush(fill);
            FillRect(dc, &rect, brush);
            DeleteObject(brush);
            HBRUSH border = CreateSolidBrush(kCanvasBorder);
            FrameRect(dc, &rect, border);
            DeleteObject(border);
            return 1;
        }
        case kPaintBackground:
            PaintBackgroundFor(hwnd, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                               nullptr, fill);
            return 1;
        case WM_COMMAND:
            if (DispatchCommand(wParam, lParam)) return 0;
            break;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (DispatchNotify(lParam, result)) return result;
            break;
        }
        case WM_NCHITTEST:
            return HTTRANSPARENT;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlInstance* c = ControlOfWindow(hwnd);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            BufferedPaint paint(hwnd);
            PaintParentBackground(hwnd, paint.dc(), paint.rect());
            if (c && c->image) Images::DrawImage(paint.dc(), *c->image, paint.rect());
            return 0;
        }
        case WM_NCHITTEST:
            return HTTRANSPARENT;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    struct {
        const char* name;
        WNDPROC proc;
        HCURSOR cursor;
    } classes[] = {
        {kFormClass, FormProc, LoadCursor(nullptr, IDC_ARROW)},
        {kLabelClass, LabelProc, nullptr},
        {kCanvasClass, CanvasProc, LoadCursor(nullptr, IDC_ARROW)},
        {kPictureClass, PictureProc, LoadCursor(nullptr, IDC_ARROW)},
    };
    for (const auto& k : classes) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = k.proc;
        wc.hInstance = instance;
        wc.hCursor = k.cursor ? k.cursor : LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = k.name;
        wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
        RegisterClassExA(&wc);
    }
}

// --- Building forms ----------------------------------------------------------

FontHandle MakeFont(const char* face, int height) {
    LOGFONTA lf{};
    lf.lfHeight = -(height > 0 ? height : kDefaultFontHeight);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, face ? face : kDefaultFontFace, LF_FACESIZE);
    return FontHandle(CreateFontIndirectA(&lf));
}

std::string DriveEntry(char letter) {
    std::string root = std::string(1, letter) + ":\\";
    std::string entry = std::string(1, letter) + ":";
    switch (GetDriveTypeA(root.c_str())) {
        case DRIVE_FIXED: {
            entry += " （硬盘）";
            char label[MAX_PATH + 1] = {};
            if (GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                                      nullptr, 0) &&
                label[0])
                entry += std::string(" ") + label;
            break;
        }
        case DRIVE_CDROM:
            entry += " （光驱）";
            break;
        case DRIVE_REMOTE:
            entry += " （网络驱动器）";
            break;
        case DRIVE_RAMDISK:
            entry += " （内存虚拟驱动器）";
            break;
        default:  // removable drives and anything unknown show the letter alone
            break;
    }
    return entry;
}

char CurrentDriveLetter() {
    char directory[MAX_PATH] = {};
    const DWORD n = GetCurrentDirectoryA(sizeof directory, directory);
    if (n < 2 || n >= sizeof directory || directory[1] != ':') return 0;  // e.g. a UNC path
    char letter = directory[0];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    return (letter >= 'A' && letter <= 'Z') ? letter : 0;
}

void FillDriveBox(HWND box) {
    const DWORD drives = GetLogicalDrives();
    const char current = CurrentDriveLetter();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        const char letter = static_cast<char>('A' + i);
        std::string entry = DriveEntry(letter);
        LRESULT index = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        if (index < 0) continue;
        SendMessageA(box, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(letter));
        if (letter == current) SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void CreateControl(FormInstance& form, ControlInstance& c) {
    const ControlDescription& d = *c.desc;
    c.color = d.color;
    c.image = d.image;
    c.timerPeriod = d.timerPeriod;
    if (d.kind == ControlKind::Timer) {
        if (d.timerPeriod > 0)
            SetTimer(form.hwnd, kFirstTimerId + static_cast<UINT_PTR>(d.role),
                     static_cast<UINT>(d.timerPeriod), nullptr);
        return;
    }
    HWND parent = form.hwnd;
    if (d.parentRole != kOnForm) {
        if (HWND canvas = WindowOf(Control{form.desc, d.parentRole})) parent = canvas;
    }
    // Overlapping controls paint in their stacking order, not in whatever
    // order their paint messages happen to arrive.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (d.visible ? WS_VISIBLE : 0);
    DWORD exStyle = 0;
    const char* className = nullptr;
    int height = d.height;
    switch (d.kind) {
        case ControlKind::PushButton:
            className = "BUTTON";
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case ControlKind::TransparentLabel:
            className = kLabelClass;
            break;
        case ControlKind::EditBox:
            className = "EDIT";
            style |= ES_AUTOHSCROLL | WS_TABSTOP;
            break;
        case ControlKind::ListView:
            className = WC_LISTVIEWA;
            style |= LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_OWNERDATA | WS_TABSTOP;
            c.items = std::make_unique<ListItems>(d.columnCount);
            break;
        case ControlKind::DriveBox:
            className = "COMBOBOX";
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
            height = kDropDownListHeight;  // the height of the open list; the field keeps its own
            break;
        case ControlKind::PictureBox:
            className = kPictureClass;
            break;
        case ControlKind::Canvas:
            className = kCanvasClass;
            style |= WS_CLIPCHILDREN;
            break;
        case ControlKind::Timer:
            return;
    }
    c.hwnd = CreateWindowExA(exStyle, className, d.kind == ControlKind::ListView ? "" : d.text,
                             style, d.x, d.y, d.width, height, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (!c.hwnd) return;
    SetPropA(c.hwnd, kControlProperty, &c);
    c.font = MakeFont(d.fontFace, d.fontHeight);
    SendMessageA(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font.get()), FALSE);
    if (d.kind == ControlKind::ListView) {
        SendMessageA(c.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        SendMessageA(c.hwnd, LVM_SETTEXTCOLOR, 0, kBlack);
        SendMessageA(c.hwnd, LVM_SETTEXTBKCOLOR, 0, kWhite);
        SendMessageA(c.hwnd, LVM_SETBKCOLOR, 0, kWhite);
        for (int i = 0; i < d.columnCount; ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.fmt = LVCFMT_LEFT;
            column.cx = d.columns[i].width;
            column.pszText = const_cast<char*>(d.columns[i].title);
            SendMessageA(c.hwnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&column));
        }
    }
    if (d.kind == ControlKind::DriveBox) FillDriveBox(c.hwnd);
}

RECT CentredRect(int width, int height) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;
    return RECT{x, y, x + width, y + height};
}

void RestartTimers(FormInstance& form) {
    for (auto& c : form.controls) {
        if (c->desc->kind != ControlKind::Timer) continue;
        c->timerPeriod = c->desc->timerPeriod;
        if (c->timerPeriod > 0)
            SetTimer(form.hwnd, kFirstTimerId + static_cast<UINT_PTR>(c->desc->role),
                     static_cast<UINT>(c->timerPeriod), nullptr);
    }
}

// Creates the form hidden with all its controls; the creation handler is the
// caller's to run.
FormInstance* CreateForm(const FormDescription& desc, bool startup) {
    RegisterClasses();
    auto form = std::make_unique<FormInstance>();
    form->desc = &desc;
    form->startup = startup;
    const RECT rect = CentredRect(desc.width, desc.height);
    const DWORD style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = desc.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    FormInstance* raw = form.get();
    S().forms.push_back(std::move(form));
    raw->hwnd =
        CreateWindowExA(exStyle, kFormClass, desc.title, style, rect.left, rect.top, desc.width,
                        desc.height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!raw->hwnd) {
        S().forms.pop_back();
        return nullptr;
    }
    for (std::size_t i = 0; i < desc.controlCount; ++i) {
        raw->controls.push_back(std::make_unique<ControlInstance>());
        raw->controls.back()->desc = &desc.controls[i];
        raw->controls.back()->form = raw;
    }
    for (auto& c : raw->controls) CreateControl(*raw, *c);
    // Label text stays readable where a label overlaps a picture: labels go
    // on top and paint the picture under their text themselves.
    for (auto& c : raw->controls)
        if (c->desc->kind == ControlKind::TransparentLabel && c->hwnd)
            SetWindowPos(c->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return raw;
}

void ShowForm(FormInstance& form) {
    ShowWindow(form.hwnd, SW_SHOW);
    SetForegroundWindow(form.hwnd);
    UpdateWindow(form.hwnd);
}

void ReportFatalError(int code, std::string_view message) {
    (void)code;
    ShowMessage(message, MB_ICONERROR | MB_OK, "错误");
    EndProgram(code);
}

}  // namespace

// --- Operations --------------------------------------------------------------

void Initialize() {
    // The probe talks to COM on this thread, which must be a single-threaded apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // No "insert a disk" boxes when the drive box or the disk query touches
    // an empty drive.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    Images::Start();
    RegisterClasses();
    SetFatalErrorHandler(ReportFatalError);
}

int RunProgram(const FormDescription& startup) {
    FormInstance* form = CreateForm(startup, true);
    if (!form) return 1;
    CallHandler(startup.onCreated);
    RunLoopUntil([] { return false; });
    return 0;
}

void RegisterExitRoutine(Handler routine) {
    S().exitRoutines.push_back(routine);
}

void LoadForm(const FormDescription& desc, bool modal) {
    if (FormInstance* open = FindForm(&desc)) {
        RestartTimers(*open);
        ShowForm(*open);
    } else {
        FormInstance* form = CreateForm(desc, false);
        if (!form) return;
        CallHandler(desc.onCreated);
        if (FormInstance* created = FindForm(&desc)) ShowForm(*created);
    }
    if (!modal) return;
    // Other forms take no input while the modal one is open.
    std::vector<HWND> disabled;
    for (auto& f : S().forms) {
        if (f->desc != &desc && IsWindowEnabled(f->hwnd)) {
            EnableWindow(f->hwnd, FALSE);
            disabled.push_back(f->hwnd);
        }
    }
    RunLoopUntil([&desc] { return FindForm(&desc) == nullptr; });
    for (HWND hwnd : disabled)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
}

void CloseForm(const FormDescription& desc) {
    if (FormInstance* form = FindForm(&desc)) PostMessageA(form->hwnd, kDestroyForm, 0, 0);
}

bool IsFormLoaded(const FormDescription& desc) {
    return FindForm(&desc) != nullptr;
}

void SetControlVisible(Control control, bool visible) {
    if (HWND hwnd = WindowOf(control)) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void SetControlVisible(const FormDescription& desc, bool visible) {
    FormInstance* form = FindForm(&desc);
    if (!form) return;
    if (visible)
        ShowForm(*form);
    else
        ShowWindow(form->hwnd, SW_HIDE);
}

bool IsControlVisible(Control control) {
    HWND hwnd = WindowOf(control);
    return hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE);
}

void SetControlText(Control control, std::string_view text) {
    if (HWND hwnd = WindowOf(control)) SetWindowTextA(hwnd, std::string(text).c_str());
}

std::string GetControlText(Control control) {
    HWND hwnd = WindowOf(control);
    return hwnd ? WindowText(hwnd) : std::string();
}

void SetLabelTextColor(Control label, std::uint32_t bgrColor) {
    ControlInstance* c = FindControl(label);
    if (!c) return;
    c->color = bgrColor;
    if (c->hwnd) InvalidateRect(c->hwnd, nullptr, FALSE);
}

std::uint32_t GetLabelTextColor(Control label) {
    ControlInstance* c = FindControl(label);
    return c ? c->color : kBlack;
}

void SetFormBackground(const FormDescription& desc, const ImageBytes& image) {
    FormInstance* form = FindForm(&desc);
    if (!form) return;
    form->background = &image;
    RedrawWindow(form->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

const ImageBytes* GetFormBackground(const FormDescription& desc) {
    FormInstance* form = FindForm(&desc);
    return form ? form->background : nullptr;
}

void SetFormState(const FormDescription& desc, int state) {
    if (FormInstance* form = FindForm(&desc))
        ShowWindow(form->hwnd, state == 2 ? SW_MINIMIZE : SW_RESTORE);
}

void SetTimerPeriod(Control timer, int milliseconds) {
    ControlInstance* c = FindControl(timer);
    if (!c || c->desc->kind != ControlKind::Timer) return;
    const UINT_PTR id = kFirstTimerId + static_cast<UINT_PTR>(c->desc->role);
    c->timerPeriod = milliseconds;
    if (milliseconds > 0)
        SetTimer(c->form->hwnd, id, static_cast<UINT>(milliseconds), nullptr);
    else
        KillTimer(c->form->hwnd, id);
}

HWND GetControlHandle(Control control) {
    return WindowOf(control);
}

HWND GetControlHandle(const FormDescription& desc) {
    FormInstance* form = FindForm(&desc);
    return form ? form->hwnd : nullptr;
}

void RedrawControl(Control control) {
    if (HWND hwnd = WindowOf(control))
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void FocusControl(Control control) {
    if (HWND hwnd = WindowOf(control)) SetFocus(hwnd);
}

void SetPictureImage(Control picture, const ImageBytes* image) {
    ControlInstance* c = FindControl(picture);
    if (!c) return;
    c->image = image;
    if (c->hwnd) InvalidateRect(c->hwnd, nullptr, FALSE);
}

const ImageBytes* GetPictureImage(Control picture) {
    ControlInstance* c = FindControl(picture);
    return c ? c->image : nullptr;
}

int ShowMessage(std::string_view text, int flags, std::string_view caption) {
    if (S().messageHook) return S().messageHook(std::string(text), flags, std::string(caption));
    HWND owner = GetActiveWindow();
    if (owner && !FormOfWindow(owner)) owner = nullptr;
    const UINT type = static_cast<UINT>(flags) | (owner ? 0u : MB_TASKMODAL);
    return MessageBoxA(owner, std::string(text).c_str(), std::string(caption).c_str(), type);
}

void EndProgram(int code) {
    if (!S().ending) {
        S().ending = true;
        for (Handler routine : S().exitRoutines) CallHandler(routine);
    }
    ExitProcess(static_cast<UINT>(code));
}

void ProcessPendingEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

std::string GetRunDirectory() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return std::string();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool FileExists(std::string_view path) {
    return GetFileAttributesA(std::string(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void OpenInBrowser(std::string_view address) {
    if (S().browserHook) {
        S().browserHook(std::string(address));
        return;
    }
    ShellExecuteA(nullptr, "open", std::string(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string GetSelectedDrive(Control driveBox) {
    char letter = 0;
    if (HWND box = WindowOf(driveBox)) {
        LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR)
            letter =
                static_cast<char>(SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }
    // Entries carry upper-case letters, and so does the current drive.
    if (!letter) letter = CurrentDriveLetter();
    return letter ? std::string(1, letter) : std::string();
}

// --- List operations ---------------------------------------------------------
// The items live in ListItems; the owner-data control asks for the texts of
// the rows it draws and keeps only the selection and the scroll position.

namespace {

ControlInstance* FindList(Control list) {
    ControlInstance* c = FindControl(list);
    return c && c->items && c->hwnd ? c : nullptr;
}

ControlInstance* FindSyncedList(Control list) {
    ControlInstance* c = FindList(list);
    if (c) SyncListCount(*c);
    return c;
}

void SetItemState(HWND hwnd, int index, UINT state, UINT mask) {
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void ListDeleteAll(Control list) {
    ControlInstance* c = FindList(list);
    if (!c) return;
    c->items->Clear();
    SyncListCount(*c);
}

int ListInsertItem(Control list, int position, std::int32_t data) {
    ControlInstance* c = FindList(list);
    if (!c) return -1;
    const int index = c->items->Insert(position, data);
    if (!c->syncPosted) {
        c->syncPosted = true;
        PostMessageA(c->form->hwnd, kSyncList, 0, reinterpret_cast<LPARAM>(c->hwnd));
    }
    return index;
}

void ListSetItemText(Control list, int index, int column, std::string_view text) {
    ControlInstance* c = FindList(list);
    if (!c || !c->items->SetText(index, column, text)) return;
    if (index < c->shownCount)
        SendMessageA(c->hwnd, LVM_REDRAWITEMS, static_cast<WPARAM>(index),
                     static_cast<LPARAM>(index));
}

std::string ListGetItemText(Control list, int index, int column) {
    ControlInstance* c = FindList(list);
    return c ? c->items->Text(index, column) : std::string();
}

std::int32_t ListGetItemData(Control list, int index) {
    ControlInstance* c = FindList(list);
    return c ? c->items->Data(index) : 0;
}

int ListGetItemCount(Control list) {
    ControlInstance* c = FindList(list);
    return c ? c->items->Count() : 0;
}

void ListEnsureVisible(Control list, int index) {
    if (ControlInstance* c = FindSyncedList(list))
        SendMessageA(c->hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

int ListGetCurrentItem(Control list) {
    ControlInstance* c = FindSyncedList(list);
    if (!c) return -1;
    return static_cast<int>(
        SendMessageA(c->hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListSetCurrentItem(Control list, int index) {
    ControlInstance* c = FindSyncedList(list);
    if (!c) return;
    // Clearing item by item: asking the control to clear all items at once
    // visits every one of a hundred thousand.
    for (int i = 0; i < c->shownCount; ++i) {
        const int selected = static_cast<int>(
            SendMessageA(c->hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (selected < 0) break;
        SetItemState(c->hwnd, selected, 0, LVIS_SELECTED);
    }
    if (index < 0 || index >= c->shownCount) return;
    SetItemState(c->hwnd, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// --- Test seams --------------------------------------------------------------

namespace Testing {

void SetMessageHook(MessageHook hook) {
    S().messageHook = std::move(hook);
}
void SetBrowserHook(BrowserHook hook) {
    S().browserHook = std::move(hook);
}

void CreateStartupForm(const FormDescription& startup) {
    if (CreateForm(startup, true)) CallHandler(startup.onCreated);
}

void DestroyAllForms() {
    while (!S().forms.empty()) {
        HWND hwnd = S().forms.back()->hwnd;
        if (hwnd && IsWindow(hwnd))
            DestroyWindow(hwnd);
        else
            S().forms.pop_back();
    }
    S().exitRoutines.clear();
    ProcessPendingEvents();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMilliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        ProcessPendingEvents();
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - start) >= timeoutMilliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

}  // namespace Testing
}  // namespace WindowRuntime
