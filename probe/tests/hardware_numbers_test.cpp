#include "probe/hardware_numbers.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(VideoMemoryMbFromText, ReadsTheByteCountAsUnsigned32BitInWholeMb) {
    struct Case {
        const char* text;
        std::int32_t expectedMb;
    } cases[] = {
        {"268435456", 256},   {"4293918720", 4095},  // a 4 GB card; read as signed it would be -1
        {"4294967295", 4095}, {"4294967296", 0},     // wraps modulo 2^32
        {"-1048576", 4095},                          // the same 32 bits as 4293918720
        {"1048575", 0},                              // truncated
        {"1048576", 1},       {"2147483648", 2048}, {"", 0}, {"n/a", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(VideoMemoryMbFromText(c.text), c.expectedMb) << c.text;
}

TEST(ProcessorCapacityMhz, MultipliesClockByLogicalProcessors) {
    struct Case {
        std::int32_t clock, processors, expected;
    } cases[] = {
        {2400, 4, 9600},     {2096, 2, 4192},
        {2400, 0, 0},  // an unreadable processor count fails every requirement
        {0, 8, 0},           {-5, 3, -15},
        {2147483647, 2, -2},  // low 32 bits of the exact product
        {65536, 65536, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProcessorCapacityMhz(c.clock, c.processors), c.expected)
            << c.clock << " x " << c.processors;
    }
}

TEST(FreeBytesToRoundedGb, RoundsHalfAwayFromZero) {
    struct Case {
        std::uint64_t bytes;
        double expectedGb;
    } cases[] = {
        {0, 0},          {536870911, 0},  // just under half a GB
        {536870912, 1},                   // exactly half
        {1073741823, 1},                  // one byte short of 1 GB
        {1610612736, 2},                  // 1.5 GB
        {1610612735, 1}, {40000000000ull, 37}, {1099511627776ull, 1024},
    };
    for (const Case& c : cases) EXPECT_EQ(FreeBytesToRoundedGb(c.bytes), c.expectedGb) << c.bytes;
}

TEST(RoundHalfAwayFromZero, KeepsTheSignAndNudgesHalvesUp) {
    struct Case {
        double value, expected;
    } cases[] = {
        {2.5, 3}, {-2.5, -3}, {2.4999999999995, 3}, {2.49, 2}, {-0.4, 0}, {0.0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundHalfAwayFromZero(c.value), c.expected) << c.value;
}

TEST(InformationLines, JoinTheirPartsInTheSystemCodePage) {
    EXPECT_EQ(MemoryLine(4096), "4096 MB");
    EXPECT_EQ(VideoLine("Standard VGA", 256), "Standard VGA   显存 256 MB");
    EXPECT_EQ(VideoLine("", 0), "   显存 0 MB");
    EXPECT_EQ(DiskLine("C", 37), "C盘剩余: 37 GB");
    EXPECT_EQ(DiskLine("D", 0), "D盘剩余: 0 GB");
}

}  // namespace
