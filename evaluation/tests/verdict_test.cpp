#include "evaluation/verdict.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Case {
    const char* what;
    HardwareProfile detected;    // cpu, memory, video, disk
    GameRequirements required;   // cpu, memory, video, disk
    RequirementResults results;  // cpu, memory, disk, video
    Verdict verdict;
};

HardwareProfile Detected(int cpu, int memory, int video, int disk) {
    HardwareProfile p;
    p.cpuMhz = cpu;
    p.memoryMb = memory;
    p.videoMemoryMb = video;
    p.diskFreeGb = disk;
    return p;
}

GameRequirements Required(int cpu, int memory, int video, int disk) {
    return GameRequirements{cpu, memory, video, disk};
}

const Case kCases[] = {
    {"equal values pass",
     Detected(4000, 2048, 512, 20),
     Required(4000, 2048, 512, 20),
     {1, 1, 1, 1},
     Verdict::RunsSmoothly},
    {"zero requirements before any detection",
     Detected(0, 0, 0, 0),
     Required(0, 0, 0, 0),
     {1, 1, 1, 1},
     Verdict::RunsSmoothly},
    {"positive requirements before any detection",
     Detected(0, 0, 0, 0),
     Required(1, 1, 1, 1),
     {0, 0, 0, 0},
     Verdict::CannotRun},
    {"disk one short",
     Detected(4000, 2048, 512, 19),
     Required(4000, 2048, 512, 20),
     {1, 1, 0, 1},
     Verdict::CannotRun},
    {"video one short",
     Detected(4000, 2048, 511, 20),
     Required(4000, 2048, 512, 20),
     {1, 1, 1, 0},
     Verdict::CannotRun},
    {"video and cpu short is still cannot run",
     Detected(3999, 2048, 511, 20),
     Required(4000, 2048, 512, 20),
     {0, 1, 1, 0},
     Verdict::CannotRun},
    {"disk, cpu and memory short",
     Detected(0, 0, 512, 0),
     Required(4000, 2048, 512, 20),
     {0, 0, 0, 1},
     Verdict::CannotRun},
    {"cpu short",
     Detected(3999, 2048, 512, 20),
     Required(4000, 2048, 512, 20),
     {0, 1, 1, 1},
     Verdict::MayNotRunSmoothly},
    {"memory short",
     Detected(4000, 2047, 512, 20),
     Required(4000, 2048, 512, 20),
     {1, 0, 1, 1},
     Verdict::MayNotRunSmoothly},
    {"cpu and memory short",
     Detected(100, 100, 512, 20),
     Required(4000, 2048, 512, 20),
     {0, 0, 1, 1},
     Verdict::MayNotRunSmoothly},
    {"negative video memory fails a zero requirement",
     Detected(0, 0, -1, 0),
     Required(0, 0, 0, 0),
     {1, 1, 1, 0},
     Verdict::CannotRun},
    {"negative video memory passes a lower negative requirement",
     Detected(0, 0, -1, 0),
     Required(0, 0, -2, 0),
     {1, 1, 1, 1},
     Verdict::RunsSmoothly},
    {"comparisons are signed at the extremes",
     Detected(INT_MAX, INT_MIN, INT_MAX, INT_MAX),
     Required(INT_MIN, INT_MAX, INT_MIN, INT_MIN),
     {1, 0, 1, 1},
     Verdict::MayNotRunSmoothly},
};

TEST(CheckRequirements, DecidesEachComponentAndTheVerdict) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const RequirementResults r = CheckRequirements(c.detected, c.required);
        EXPECT_EQ(r.cpuPassed, c.results.cpuPassed);
        EXPECT_EQ(r.memoryPassed, c.results.memoryPassed);
        EXPECT_EQ(r.diskPassed, c.results.diskPassed);
        EXPECT_EQ(r.videoPassed, c.results.videoPassed);
        EXPECT_EQ(DecideVerdict(r), c.verdict);
    }
}

TEST(VerdictSentence, NamesTheGameInTheVerdictsColour) {
    struct SentenceCase {
        Verdict verdict;
        const char* name;
        const char* sentence;
        std::uint32_t color;
    } cases[] = {
        {Verdict::CannotRun, "仙境传说Online", "对不起，您的配置无法运行仙境传说Online！", 255},
        {Verdict::MayNotRunSmoothly, "赛车", "对不起，您的配置可能无法流畅运行赛车！", 33023},
        {Verdict::RunsSmoothly, "Chess", "恭喜您，您的配置可以流畅运行Chess！", 65280},
        {Verdict::RunsSmoothly, "", "恭喜您，您的配置可以流畅运行！", 65280},
    };
    for (const SentenceCase& c : cases) {
        EXPECT_EQ(VerdictSentence(c.verdict, c.name), c.sentence);
        EXPECT_EQ(VerdictLook(c.verdict).color, c.color) << c.sentence;
    }
}

TEST(ResultLineLook, SaysPassedInGreenAndFailedInRed) {
    struct LineCase {
        Component component;
        bool passed;
        const char* text;
        std::uint32_t color;
    } cases[] = {
        {Component::Cpu, true, "CPU检测通过！", 65280},
        {Component::Cpu, false, "CPU检测未通过！", 255},
        {Component::Memory, true, "内存检测通过！", 65280},
        {Component::Memory, false, "内存检测未通过！", 255},
        {Component::Disk, true, "磁盘空间检测通过！", 65280},
        {Component::Disk, false, "磁盘空间检测未通过！", 255},
        {Component::Video, true, "显卡检测通过！", 65280},
        {Component::Video, false, "显卡检测未通过！", 255},
    };
    for (const LineCase& c : cases) {
        const LabelLook look = ResultLineLook(c.component, c.passed);
        EXPECT_EQ(look.text, c.text);
        EXPECT_EQ(look.color, c.color) << c.text;
    }
}

}  // namespace
