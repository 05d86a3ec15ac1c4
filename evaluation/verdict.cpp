#include "evaluation/verdict.h"

bool MeetsRequirement(std::int32_t detected, std::int32_t required) {
    return detected >= required;
}

RequirementResults CheckRequirements(const HardwareProfile& detected,
                                     const GameRequirements& required) {
    RequirementResults results;
    results.cpuPassed = MeetsRequirement(detected.cpuMhz, required.cpuMhz);
    results.memoryPassed = MeetsRequirement(detected.memoryMb, required.memoryMb);
    results.diskPassed = MeetsRequirement(detected.diskFreeGb, required.diskGb);
    results.videoPassed = MeetsRequirement(detected.videoMemoryMb, required.videoMemoryMb);
    return results;
}

Verdict DecideVerdict(const RequirementResults& results) {
    // Disk space and video memory are hard requirements; processor and memory
    // only decide how smoothly the game runs.
    if (!results.diskPassed || !results.videoPassed) return Verdict::CannotRun;
    if (!results.cpuPassed || !results.memoryPassed) return Verdict::MayNotRunSmoothly;
    return Verdict::RunsSmoothly;
}

LabelLook ResultLineLook(Component component, bool passed) {
    struct Lines {
        std::string_view passed;
        std::string_view failed;
    };
    static constexpr Lines kLines[] = {
        {"CPU检测通过！", "CPU检测未通过！"},
        {"内存检测通过！", "内存检测未通过！"},
        {"磁盘空间检测通过！", "磁盘空间检测未通过！"},
        {"显卡检测通过！", "显卡检测未通过！"},
    };
    const Lines& lines = kLines[static_cast<int>(component)];
    return passed ? LabelLook{lines.passed, kPassedColor} : LabelLook{lines.failed, kFailedColor};
}

LabelLook VerdictLook(Verdict verdict) {
    switch (verdict) {
        case Verdict::CannotRun:
            return {"对不起，您的配置无法运行", kFailedColor};
        case Verdict::MayNotRunSmoothly:
            return {"对不起，您的配置可能无法流畅运行", kWarningColor};
        case Verdict::RunsSmoothly:
            break;
    }
    return {"恭喜您，您的配置可以流畅运行", kPassedColor};
}

std::string VerdictSentence(Verdict verdict, std::string_view gameName) {
    std::string sentence(VerdictLook(verdict).text);
    sentence += gameName;
    sentence += "！";
    return sentence;
}
