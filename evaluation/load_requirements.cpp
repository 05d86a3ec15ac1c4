#include "catalogue/record_database.h"
#include "evaluation/evaluate.h"
#include "evaluation/field_conversion.h"
#include "evaluation/requirements.h"

namespace {

std::int32_t ReadRequirement(int field) {
    // Taken for the error report only.
    const FieldPlace place{RecordDatabase::GetRecordNumber(), field};
    return FieldToInt32(RecordDatabase::ReadField(field), place);
}

}  // namespace

void LoadRequirements() {
    gGameRequirements.cpuMhz = ReadRequirement(3);
    gGameRequirements.memoryMb = ReadRequirement(4);
    gGameRequirements.videoMemoryMb = ReadRequirement(5);
    gGameRequirements.diskGb = ReadRequirement(6);
}
