#pragma once
#include <string>

// Step two's work: measures the computer into gHardwareProfile and writes the
// six information lines of the step-two page.
void DetectHardware();
// Sets gHardwareProfile.diskFreeGb for the drive chosen in the drive box and
// returns the disk line.
std::string GetFreeDiskSpaceText();
