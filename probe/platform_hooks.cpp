#include "probe/platform_hooks.h"

#include <shlobj.h>

#include "probe/automation.h"
#include "probe/testing.h"
#include "runtime/window_runtime.h"

// shell32 exports it, but mingw's headers do not declare it.
extern "C" DECLSPEC_IMPORT BOOL WINAPI SHGetDiskFreeSpaceA(LPCSTR directory,
                                                           ULARGE_INTEGER* freeForCaller,
                                                           ULARGE_INTEGER* total,
                                                           ULARGE_INTEGER* totalFree);

namespace {

Probe::Testing::LocatorFactory gLocatorFactory;
Probe::Testing::EventProcessor gEventProcessor;
Probe::Testing::DiskFreeSpaceCall gDiskFreeSpaceCall;

}  // namespace

namespace Probe::Testing {

void SetLocatorFactory(LocatorFactory factory) {
    gLocatorFactory = std::move(factory);
}
void SetEventProcessor(EventProcessor processor) {
    gEventProcessor = std::move(processor);
}
void SetDiskFreeSpaceCall(DiskFreeSpaceCall call) {
    gDiskFreeSpaceCall = std::move(call);
}

}  // namespace Probe::Testing

ComPtr<IDispatch> CreateWmiLocator() {
    if (gLocatorFactory) return ComPtr<IDispatch>(gLocatorFactory());
    return CreateObjectByProgId(L"WbemScripting.SWbemLocator");
}

void ProcessEventsDuringQuery() {
    if (gEventProcessor) {
        gEventProcessor();
    } else {
        WindowRuntime::ProcessPendingEvents();
    }
}

std::uint64_t GetFreeBytesForCaller(const std::string& path) {
    ULARGE_INTEGER freeForCaller{}, total{}, totalFree{};
    const BOOL measured =
        gDiskFreeSpaceCall ? gDiskFreeSpaceCall(path.c_str(), &freeForCaller, &total, &totalFree)
                           : SHGetDiskFreeSpaceA(path.c_str(), &freeForCaller, &total, &totalFree);
    // A drive without a medium fails; its buffers are not to be trusted.
    return measured ? freeForCaller.QuadPart : 0;
}
