#include "evaluation/evaluate.h"

#include <string>

#include "app/main_window.h"
#include "assets/images.h"
#include "catalogue/record_database.h"
#include "evaluation/field_conversion.h"
#include "evaluation/requirements.h"
#include "evaluation/verdict.h"
#include "runtime/window_runtime.h"

namespace {

constexpr int kNameField = 1;

void ShowResultLine(WindowRuntime::Control label, Component component, int passed) {
    const LabelLook look = ResultLineLook(component, passed != 0);
    WindowRuntime::SetControlText(label, look.text);
    WindowRuntime::SetLabelTextColor(label, look.color);
}

const ImageBytes& VerdictIcon(Verdict verdict) {
    switch (verdict) {
        case Verdict::CannotRun:
            return CannotRunIcon;
        case Verdict::MayNotRunSmoothly:
            return MayNotRunSmoothlyIcon;
        case Verdict::RunsSmoothly:
            break;
    }
    return RunsSmoothlyIcon;
}

}  // namespace

void EvaluateRequirements() {
    const RequirementResults results = CheckRequirements(gHardwareProfile, gGameRequirements);
    // The disk line is decided before the video line although it stands below
    // it on the page; the order only matters to whoever watches the labels.
    ShowResultLine(CpuResultLabel, Component::Cpu, results.cpuPassed);
    ShowResultLine(MemoryResultLabel, Component::Memory, results.memoryPassed);
    ShowResultLine(DiskResultLabel, Component::Disk, results.diskPassed);
    ShowResultLine(VideoResultLabel, Component::Video, results.videoPassed);

    const Verdict verdict = DecideVerdict(results);
    WindowRuntime::SetPictureImage(VerdictPicture, &VerdictIcon(verdict));

    const FieldPlace namePlace{RecordDatabase::GetRecordNumber(), kNameField};
    const RecordDatabase::FieldValue name = RecordDatabase::ReadField(kNameField);
    WindowRuntime::SetControlText(VerdictLabel,
                                  VerdictSentence(verdict, FieldText(name, namePlace)));
    WindowRuntime::SetLabelTextColor(VerdictLabel, VerdictLook(verdict).color);
}
