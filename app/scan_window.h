#pragma once
#include "runtime/form.h"

// Shown by step two while the hardware is detected; closes itself.
extern const WindowRuntime::FormDescription ScanWindow;
enum ScanWindowRole : int { kScanCanvas, kScanTimer, kScanPicture, kScanLabel };
constexpr WindowRuntime::Control ScanCanvas{&ScanWindow, kScanCanvas};
constexpr WindowRuntime::Control ScanTimer{&ScanWindow, kScanTimer};
constexpr WindowRuntime::Control ScanPicture{&ScanWindow, kScanPicture};
constexpr WindowRuntime::Control ScanLabel{&ScanWindow, kScanLabel};

constexpr int kScanMilliseconds = 3000;

void OnScanTimer();
