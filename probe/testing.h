#pragma once
#include <oaidl.h>
#include <windows.h>

#include <functional>

// Seams for tests: stand-ins for the platform calls of the probe. Passing
// nullptr restores the real call.
namespace Probe::Testing {

// Returns a new reference, or nullptr when no locator can be made.
using LocatorFactory = std::function<IDispatch*()>;
void SetLocatorFactory(LocatorFactory factory);

using EventProcessor = std::function<void()>;
void SetEventProcessor(EventProcessor processor);

// Shaped like the shell's SHGetDiskFreeSpaceA.
using DiskFreeSpaceCall = std::function<BOOL(LPCSTR path, ULARGE_INTEGER* freeForCaller,
                                             ULARGE_INTEGER* total, ULARGE_INTEGER* totalFree)>;
void SetDiskFreeSpaceCall(DiskFreeSpaceCall call);

}  // namespace Probe::Testing
