// Step two shows the scanning window and then detects; the window must keep
// painting and close by its own timer while a slow detection is still running.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/scan_window.h"
#include "probe/tests/detection_fixture.h"
#include "runtime/tests/window_test_support.h"
#include "runtime/window_runtime.h"

namespace {

constexpr DWORD kValueReadMilliseconds = 200;

TEST_F(DetectionTest, ScanningWindowPaintsAndClosesByItsTimerDuringASlowDetection) {
    const DWORD start = GetTickCount();
    bool scanSeen = false;
    bool invalidated = false;
    int repaintsDuringQuery = 0;
    DWORD closedAfter = 0;
    FakeWmiOptions options;
    // Runs inside each query between its message-processing passes.
    options.onValueRead = [&] {
        if (HWND scan = WindowRuntime::GetControlHandle(ScanWindow)) {
            scanSeen = true;
            if (invalidated && !GetUpdateRect(scan, nullptr, FALSE)) ++repaintsDuringQuery;
            InvalidateRect(scan, nullptr, TRUE);
            invalidated = true;
        } else if (scanSeen && closedAfter == 0) {
            closedAfter = GetTickCount() - start;
        }
        Sleep(kValueReadMilliseconds);
    };
    const Objects slowObject = {{{L"Name", Text(L"Slow CPU")},
                                 {L"Caption", Text(L"Slow OS")},
                                 {L"Description", Text(L"Slow card")},
                                 {L"AdapterRAM", UInt32(268435456)}}};
    FakeWmi wmi(world,
                {{kVideoQuery, slowObject}, {kProcessorQuery, slowObject}, {kOsQuery, slowObject}},
                options);
    UseFakeWmi(wmi);
    GameChosen = 1;

    WindowTest::Click(WindowRuntime::GetControlHandle(Step2Button));
    const DWORD detectionMilliseconds = GetTickCount() - start;

    ASSERT_GT(detectionMilliseconds, 3500u) << "the fake detection must outlast the timer";
    EXPECT_TRUE(scanSeen);
    EXPECT_GT(repaintsDuringQuery, 0);
    EXPECT_GE(closedAfter, 3000u);
    EXPECT_LT(closedAfter, detectionMilliseconds);
    EXPECT_FALSE(WindowRuntime::IsFormLoaded(ScanWindow));
    EXPECT_EQ(WindowRuntime::GetControlText(CpuInfoLabel), "Slow CPU");
    EXPECT_EQ(WindowRuntime::GetControlText(OsInfoLabel), "Slow OS");
}

}  // namespace
