#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "evaluation/requirements.h"

// The comparison of the detected values with a game's requirements and the
// verdict it leads to, as plain values.

// 1 when the component passed, 0 when it failed.
struct RequirementResults {
    int cpuPassed = 0;
    int memoryPassed = 0;
    int diskPassed = 0;
    int videoPassed = 0;
};

enum class Component { Cpu, Memory, Disk, Video };
enum class Verdict { CannotRun, MayNotRunSmoothly, RunsSmoothly };

// A text and its colour (0x00BBGGRR) as a label shows them.
struct LabelLook {
    std::string_view text;
    std::uint32_t color;
};

constexpr std::uint32_t kPassedColor = 0x00FF00;   // green
constexpr std::uint32_t kFailedColor = 0x0000FF;   // red
constexpr std::uint32_t kWarningColor = 0x0080FF;  // orange

bool MeetsRequirement(std::int32_t detected, std::int32_t required);
RequirementResults CheckRequirements(const HardwareProfile& detected,
                                     const GameRequirements& required);
Verdict DecideVerdict(const RequirementResults& results);

LabelLook ResultLineLook(Component component, bool passed);
LabelLook VerdictLook(Verdict verdict);
// The verdict text, the game's name and a full-width exclamation mark.
std::string VerdictSentence(Verdict verdict, std::string_view gameName);
