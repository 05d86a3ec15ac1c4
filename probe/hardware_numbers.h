#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The detection's arithmetic and line texts, on plain values.

// "AdapterRAM" is an unsigned 32-bit byte count: its text read modulo 2^32 as
// unsigned, in whole MB (truncated).
std::int32_t VideoMemoryMbFromText(std::string_view adapterRamText);
// Maximum clock times logical processors, in double precision, truncated.
std::int32_t ProcessorCapacityMhz(std::int32_t maxClockMhz, std::int32_t logicalProcessors);
// Half away from zero, after a nudge of 1e-12 so that values a hair below a
// half printed as one still round up.
double RoundHalfAwayFromZero(double value);
// Free bytes to whole GB (2^30), rounded as above.
double FreeBytesToRoundedGb(std::uint64_t freeBytes);

std::string MemoryLine(std::int32_t memoryMb);
std::string VideoLine(std::string_view description, std::int32_t videoMemoryMb);
std::string DiskLine(std::string_view driveLetter, double roundedGb);
