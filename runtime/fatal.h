#pragma once
#include <string_view>

// Fatal run-time errors: reported once, then the program ends with the code
// as its exit code. Pure code raises them; the window run time installs the
// handler that shows the message box.
enum FatalErrorCode : int {
    kFatalNoCurrentDatabase = 1,  // a record read with no open catalogue
    kFatalNumberExpected = 2,     // "未得到所需要的数值型数据"
    kFatalNoSuchField = 3,        // a field number the record lacks
    kFatalTypeMismatch = 5,       // "数据或数组类型不匹配"
};

using FatalErrorHandler = void (*)(int code, std::string_view message);

// The handler reports the error; FatalError ends the process afterwards
// whatever the handler does. Without a handler the message goes to stderr.
void SetFatalErrorHandler(FatalErrorHandler handler);
[[noreturn]] void FatalError(int code, std::string_view message);
