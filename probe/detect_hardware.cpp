#include "probe/detect_hardware.h"

#include "app/main_window.h"
#include "evaluation/requirements.h"
#include "probe/hardware_numbers.h"
#include "probe/platform_hooks.h"
#include "probe/wmi_query.h"
#include "runtime/convert.h"
#include "runtime/window_runtime.h"

namespace {

constexpr const char* kVideoControllerQuery = "Select * From Win32_VideoController";
constexpr const char* kProcessorQuery = "Select * From Win32_Processor";
constexpr const char* kOperatingSystemQuery = "Select * From Win32_OperatingSystem";

}  // namespace

// Other handlers may run inside each query (it processes pending messages),
// so every field is stored as soon as it is known and the lines follow in
// the page's order.
void DetectHardware() {
    HardwareProfile& profile = gHardwareProfile;
    profile.memoryMb = WindowRuntime::GetMemorySizeMb();
    profile.videoMemoryMb =
        VideoMemoryMbFromText(QueryWmiProperty(kVideoControllerQuery, "AdapterRAM"));
    profile.maxClockMhz = TextToInt32(QueryWmiProperty(kProcessorQuery, "MaxClockSpeed"));
    profile.logicalProcessors =
        TextToInt32(QueryWmiProperty(kProcessorQuery, "NumberOfLogicalProcessors"));
    profile.cpuMhz = ProcessorCapacityMhz(profile.maxClockMhz, profile.logicalProcessors);

    WindowRuntime::SetControlText(CpuInfoLabel, QueryWmiProperty(kProcessorQuery, "Name"));
    WindowRuntime::SetControlText(MemoryInfoLabel, MemoryLine(profile.memoryMb));
    WindowRuntime::SetControlText(
        VideoInfoLabel,
        VideoLine(QueryWmiProperty(kVideoControllerQuery, "Description"), profile.videoMemoryMb));
    WindowRuntime::SetControlText(DiskInfoLabel, GetFreeDiskSpaceText());
    WindowRuntime::SetControlText(SoundInfoLabel, WindowRuntime::GetSoundCardName());
    WindowRuntime::SetControlText(OsInfoLabel, QueryWmiProperty(kOperatingSystemQuery, "Caption"));
}

std::string GetFreeDiskSpaceText() {
    const std::string drive = WindowRuntime::GetSelectedDrive(DriveBox);
    const double roundedGb = FreeBytesToRoundedGb(GetFreeBytesForCaller(drive + ":\\"));
    gHardwareProfile.diskFreeGb = TruncateToInt32(roundedGb);
    return DiskLine(drive, roundedGb);
}
