#include "probe/detect_hardware.h"

#include <gtest/gtest.h>
#include <windows.h>
// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

#include <cstring>

#include "app/main_window.h"
#include "evaluation/requirements.h"
#include "probe/platform_hooks.h"
#include "probe/testing.h"
#include "probe/tests/detection_fixture.h"
#include "runtime/convert.h"
#include "runtime/window_runtime.h"

namespace {

using WindowRuntime::GetControlText;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(DetectionTest, OnThisComputerFindsProcessorMemoryAndOperatingSystem) {
    DetectHardware();
    const HardwareProfile& profile = gHardwareProfile;
    EXPECT_NE(GetControlText(CpuInfoLabel), "");
    EXPECT_GT(profile.maxClockMhz, 0);
    EXPECT_GT(profile.logicalProcessors, 0);
    EXPECT_EQ(profile.cpuMhz, profile.maxClockMhz * profile.logicalProcessors);
    EXPECT_GT(profile.memoryMb, 0);
    EXPECT_EQ(GetControlText(MemoryInfoLabel), IntToText(profile.memoryMb) + " MB");
    EXPECT_TRUE(EndsWith(GetControlText(VideoInfoLabel),
                         "   显存 " + IntToText(profile.videoMemoryMb) + " MB"))
        << GetControlText(VideoInfoLabel);
    EXPECT_EQ(GetControlText(DiskInfoLabel)
                  .rfind(WindowRuntime::GetSelectedDrive(DriveBox) +
                             "盘剩余: " + IntToText(profile.diskFreeGb) + " GB",
                         0),
              0u)
        << GetControlText(DiskInfoLabel);
    EXPECT_NE(GetControlText(OsInfoLabel), "");
}

TEST_F(DetectionTest, WithoutASoundDeviceTheSoundLineIsEmpty) {
    ASSERT_EQ(waveOutGetNumDevs(), 0u) << "this check needs a machine without wave output";
    WindowRuntime::SetControlText(SoundInfoLabel, "stale");
    DetectHardware();
    EXPECT_EQ(GetControlText(SoundInfoLabel), "");
}

TEST_F(DetectionTest, MemoryIsTheTotalPhysicalMemoryInWholeMb) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    EXPECT_EQ(WindowRuntime::GetMemorySizeMb(),
              static_cast<std::int32_t>(status.ullTotalPhys >> 20));
}

struct FakeDetectionCase {
    const char* what;
    std::map<std::wstring, Objects> wmi;
    std::int32_t videoMemoryMb, maxClockMhz, logicalProcessors, cpuMhz;
    std::string cpuLine, videoLine, osLine;
};

TEST_F(DetectionTest, TurnsWmiValuesIntoTheProfileAndTheLines) {
    FakeDetectionCase cases[] = {
        {"a 4 GB card and four logical processors",
         {{kVideoQuery,
           {{{L"AdapterRAM", UInt32(4293918720u)}, {L"Description", Text(L"显卡甲")}}}},
          {kProcessorQuery,
           {{{L"MaxClockSpeed", UInt32(2400)},
             {L"NumberOfLogicalProcessors", UInt32(4)},
             {L"Name", Text(L"Fake CPU")}}}},
          {kOsQuery, {{{L"Caption", Text(L"Fake OS")}}}}},
         4095,
         2400,
         4,
         9600,
         "Fake CPU",
         "显卡甲   显存 4095 MB",
         "Fake OS"},
        {"two video controllers: the second counts",
         {{kVideoQuery,
           {{{L"AdapterRAM", UInt32(134217728)}, {L"Description", Text(L"first")}},
            {{L"AdapterRAM", UInt32(268435456)}, {L"Description", Text(L"second")}}}}},
         256,
         0,
         0,
         0,
         "",
         "second   显存 256 MB",
         ""},
        {"no logical processor count",
         {{kProcessorQuery, {{{L"MaxClockSpeed", UInt32(2400)}, {L"Name", Text(L"cpu")}}}}},
         0,
         2400,
         0,
         0,
         "cpu",
         "   显存 0 MB",
         ""},
        {"WMI without any of the classes", {}, 0, 0, 0, 0, "", "   显存 0 MB", ""},
    };
    Probe::Testing::SetEventProcessor([] {});
    for (FakeDetectionCase& c : cases) {
        FakeWmi wmi(world, c.wmi);
        UseFakeWmi(wmi);
        gHardwareProfile = HardwareProfile{};
        DetectHardware();
        const HardwareProfile& profile = gHardwareProfile;
        EXPECT_EQ(profile.videoMemoryMb, c.videoMemoryMb) << c.what;
        EXPECT_EQ(profile.maxClockMhz, c.maxClockMhz) << c.what;
        EXPECT_EQ(profile.logicalProcessors, c.logicalProcessors) << c.what;
        EXPECT_EQ(profile.cpuMhz, c.cpuMhz) << c.what;
        EXPECT_GT(profile.memoryMb, 0) << c.what;
        EXPECT_EQ(GetControlText(CpuInfoLabel), c.cpuLine) << c.what;
        EXPECT_EQ(GetControlText(VideoInfoLabel), c.videoLine) << c.what;
        EXPECT_EQ(GetControlText(OsInfoLabel), c.osLine) << c.what;
    }
}

TEST_F(DetectionTest, WithoutWmiTheWmiValuesAreZeroAndTheLinesKeepTheirFixedParts) {
    Probe::Testing::SetLocatorFactory([]() -> IDispatch* { return nullptr; });
    gHardwareProfile.videoMemoryMb = gHardwareProfile.maxClockMhz = 7;
    gHardwareProfile.logicalProcessors = gHardwareProfile.cpuMhz = 7;
    DetectHardware();
    EXPECT_EQ(gHardwareProfile.videoMemoryMb, 0);
    EXPECT_EQ(gHardwareProfile.maxClockMhz, 0);
    EXPECT_EQ(gHardwareProfile.logicalProcessors, 0);
    EXPECT_EQ(gHardwareProfile.cpuMhz, 0);
    EXPECT_EQ(GetControlText(CpuInfoLabel), "");
    EXPECT_EQ(GetControlText(VideoInfoLabel), "   显存 0 MB");
    EXPECT_EQ(GetControlText(OsInfoLabel), "");
    EXPECT_GT(gHardwareProfile.memoryMb, 0) << "memory does not come from WMI";
}

TEST_F(DetectionTest, FreeSpaceOfTheChosenDriveIsRoundedToWholeGb) {
    struct Case {
        ULONGLONG freeBytes;
        std::int32_t expectedGb;
    } cases[] = {
        {1610612736ull, 2}, {1073741823ull, 1}, {536870911ull, 0}, {0, 0}, {40000000000ull, 37},
    };
    const std::string drive = WindowRuntime::GetSelectedDrive(DriveBox);
    ASSERT_EQ(drive.size(), 1u);
    for (const Case& c : cases) {
        std::string pathAsked;
        Probe::Testing::SetDiskFreeSpaceCall([&](LPCSTR path, ULARGE_INTEGER* freeForCaller,
                                                 ULARGE_INTEGER* total, ULARGE_INTEGER* totalFree) {
            pathAsked = path;
            freeForCaller->QuadPart = c.freeBytes;
            total->QuadPart = totalFree->QuadPart = c.freeBytes * 2;
            return TRUE;
        });
        const std::string line = GetFreeDiskSpaceText();
        EXPECT_EQ(pathAsked, drive + ":\\");
        EXPECT_EQ(gHardwareProfile.diskFreeGb, c.expectedGb) << c.freeBytes;
        EXPECT_EQ(line, drive + "盘剩余: " + IntToText(c.expectedGb) + " GB");
    }
}

TEST_F(DetectionTest, ADriveThatCannotBeMeasuredCountsAsNoSpace) {
    // A drive without a medium fails; what it left in the outputs is not a size.
    Probe::Testing::SetDiskFreeSpaceCall(
        [](LPCSTR, ULARGE_INTEGER* freeForCaller, ULARGE_INTEGER*, ULARGE_INTEGER*) {
            freeForCaller->QuadPart = 0xCCCCCCCCCCCCCCCCull;
            return FALSE;
        });
    gHardwareProfile.diskFreeGb = 5;
    EXPECT_EQ(GetFreeDiskSpaceText(), WindowRuntime::GetSelectedDrive(DriveBox) + "盘剩余: 0 GB");
    EXPECT_EQ(gHardwareProfile.diskFreeGb, 0);
}

TEST_F(DetectionTest, UnknownDriveLettersMeasureNothingOnThisComputer) {
    char unused = 0;
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Z'; letter >= 'D'; --letter) {
        if (!(drives & (1u << (letter - 'A')))) {
            unused = letter;
            break;
        }
    }
    ASSERT_NE(unused, 0);
    EXPECT_EQ(GetFreeBytesForCaller(std::string(1, unused) + ":\\"), 0u);
    EXPECT_EQ(GetFreeBytesForCaller(""), 0u);
    EXPECT_GT(GetFreeBytesForCaller("C:\\"), 0u);
}

}  // namespace
