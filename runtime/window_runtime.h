#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/form.h"

// The GUI run time: builds forms from their descriptions, dispatches events to
// the handlers and offers these operations. User interface thread only; all
// texts are in the ANSI code page.
namespace WindowRuntime {

// Initialises the run time: COM apartment, common controls, GDI+ for the
// backgrounds, and the fatal-error report.
void Initialize();
// Creates the start-up form hidden, runs its creation handler and the event
// loop; closing that form ends the program. Returns the exit code.
int RunProgram(const FormDescription& startup);
void RegisterExitRoutine(Handler routine);
// Creates the form, runs its creation handler, shows it. Modal: returns once
// the form has been destroyed. Loading a form that is already open shows it
// again and restarts its timers.
void LoadForm(const FormDescription& form, bool modal);
// The form is destroyed soon after, from the event loop.
void CloseForm(const FormDescription& form);
bool IsFormLoaded(const FormDescription& form);

void SetControlVisible(Control control, bool visible);
void SetControlVisible(const FormDescription& form, bool visible);
bool IsControlVisible(Control control);
void SetControlText(Control control, std::string_view text);
std::string GetControlText(Control control);
void SetLabelTextColor(Control label, std::uint32_t bgrColor);
std::uint32_t GetLabelTextColor(Control label);
void SetFormBackground(const FormDescription& form, const ImageBytes& image);
const ImageBytes* GetFormBackground(const FormDescription& form);
// 0 normal, 2 minimised.
void SetFormState(const FormDescription& form, int state);
// 0 stops the timer, above 0 restarts it with that period.
void SetTimerPeriod(Control timer, int milliseconds);
HWND GetControlHandle(Control control);  // null for a timer or a form not loaded
HWND GetControlHandle(const FormDescription& form);
void RedrawControl(Control control);
void FocusControl(Control control);
// Picture boxes: the image shown, stretched to the box; nullptr clears it.
void SetPictureImage(Control picture, const ImageBytes* image);
const ImageBytes* GetPictureImage(Control picture);

// Modal message box; flags as MessageBoxA's (16: error icon, OK).
int ShowMessage(std::string_view text, int flags, std::string_view caption);
// Runs the exit routines once and ends the process.
[[noreturn]] void EndProgram(int code);
// Dispatches the messages already waiting in the thread's queue.
void ProcessPendingEvents();

std::string GetRunDirectory();           // no trailing backslash
bool FileExists(std::string_view path);  // files and directories
void OpenInBrowser(std::string_view address);
// The selected drive's letter, upper case, as a one-character text; the
// process's current drive when nothing is selected.
std::string GetSelectedDrive(Control driveBox);
std::int32_t GetMemorySizeMb();
std::string GetSoundCardName();  // first wave-output device, empty if none

void ListDeleteAll(Control list);
int ListInsertItem(Control list, int position, std::int32_t data);  // empty-text item
// Columns the list does not have are ignored.
void ListSetItemText(Control list, int index, int column, std::string_view text);
std::string ListGetItemText(Control list, int index, int column);
std::int32_t ListGetItemData(Control list, int index);  // 0 if no such item
int ListGetItemCount(Control list);
void ListEnsureVisible(Control list, int index);
int ListGetCurrentItem(Control list);              // first selected index, or -1
void ListSetCurrentItem(Control list, int index);  // selected and focused

}  // namespace WindowRuntime
