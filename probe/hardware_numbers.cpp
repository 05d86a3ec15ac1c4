#include "probe/hardware_numbers.h"

#include <cmath>

#include "runtime/convert.h"

namespace {

constexpr double kBytesPerMb = 1048576.0;
constexpr double kBytesPerGb = 1073741824.0;
constexpr double kRoundingNudge = 0.000000000001;

}  // namespace

std::int32_t VideoMemoryMbFromText(std::string_view adapterRamText) {
    // Read as signed, a 4 GB card's count (4293918720) would wrap to -1 MB.
    const auto bytes = static_cast<std::uint32_t>(TextToInt32(adapterRamText));
    return TruncateToInt32(static_cast<double>(bytes) / kBytesPerMb);
}

std::int32_t ProcessorCapacityMhz(std::int32_t maxClockMhz, std::int32_t logicalProcessors) {
    return TruncateToInt32(static_cast<double>(maxClockMhz) *
                           static_cast<double>(logicalProcessors));
}

double RoundHalfAwayFromZero(double value) {
    const double nudged = std::fabs(value) + kRoundingNudge;
    double whole = std::floor(nudged);
    if (nudged - whole >= 0.5) whole += 1.0;
    return value < 0 ? -whole : whole;
}

double FreeBytesToRoundedGb(std::uint64_t freeBytes) {
    return RoundHalfAwayFromZero(static_cast<double>(freeBytes) / kBytesPerGb);
}

std::string MemoryLine(std::int32_t memoryMb) {
    return IntToText(memoryMb) + " MB";
}

std::string VideoLine(std::string_view description, std::int32_t videoMemoryMb) {
    return std::string(description) + "   显存 " + IntToText(videoMemoryMb) + " MB";
}

std::string DiskLine(std::string_view driveLetter, double roundedGb) {
    return std::string(driveLetter) + "盘剩余: " + RealToText(roundedGb) + " GB";
}
