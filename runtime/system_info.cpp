#include "runtime/window_runtime.h"
// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

#include <cstring>

namespace WindowRuntime {

std::int32_t GetMemorySizeMb() {
    std::uint64_t totalBytes = 0;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status)) {
        totalBytes = status.ullTotalPhys;
    } else {
        MEMORYSTATUS oldStatus{};
        oldStatus.dwLength = sizeof oldStatus;
        GlobalMemoryStatus(&oldStatus);
        totalBytes = oldStatus.dwTotalPhys;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(totalBytes >> 20));
}

std::string GetSoundCardName() {
    if (waveOutGetNumDevs() == 0) return {};
    WAVEOUTCAPSA caps{};
    if (waveOutGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return {};
    // szPname is meant to end in a zero, but a driver may fill all of it.
    return std::string(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
}

}  // namespace WindowRuntime
