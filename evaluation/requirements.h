#pragma once
#include <cstdint>

// The selected game's required values, read from record fields 3 to 6.
struct GameRequirements {
    std::int32_t cpuMhz = 0;
    std::int32_t memoryMb = 0;
    std::int32_t videoMemoryMb = 0;
    std::int32_t diskGb = 0;
};

// The detected values in the same units; all zero until the first detection.
struct HardwareProfile {
    std::int32_t cpuMhz = 0;
    std::int32_t memoryMb = 0;
    std::int32_t videoMemoryMb = 0;
    std::int32_t diskFreeGb = 0;
    std::int32_t maxClockMhz = 0;
    std::int32_t logicalProcessors = 0;
};

// Process-wide, live for the whole run.
extern GameRequirements gGameRequirements;
extern HardwareProfile gHardwareProfile;
