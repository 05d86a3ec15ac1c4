#pragma once
#include <functional>
#include <string>

#include "runtime/form.h"

// Seams for tests that drive real windows in-process.
namespace WindowRuntime::Testing {

// Replaces the modal message box: the hook gets text, flags and caption and
// returns the button "pressed". Pass nullptr to restore the real box.
using MessageHook =
    std::function<int(const std::string& text, int flags, const std::string& caption)>;
void SetMessageHook(MessageHook hook);
using BrowserHook = std::function<void(const std::string& address)>;
void SetBrowserHook(BrowserHook hook);

// RunProgram without the event loop: the start-up form is created and its
// creation handler has run when this returns.
void CreateStartupForm(const FormDescription& startup);
// Destroys every open form and forgets the start-up form and exit routines.
void DestroyAllForms();
// Dispatches messages for about the given time, or until the predicate holds.
void PumpFor(int milliseconds);
bool PumpUntil(const std::function<bool()>& done, int timeoutMilliseconds);

}  // namespace WindowRuntime::Testing
