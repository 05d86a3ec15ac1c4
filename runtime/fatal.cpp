#include "runtime/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace {
FatalErrorHandler gHandler = nullptr;
}

void SetFatalErrorHandler(FatalErrorHandler handler) {
    gHandler = handler;
}

void FatalError(int code, std::string_view message) {
    if (gHandler) {
        gHandler(code, message);
    } else {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
        std::fflush(stderr);
    }
    // Nothing may run on after a fatal error, not even static destructors
    // that could touch half-built windows.
    std::_Exit(code);
}
