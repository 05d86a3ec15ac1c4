// TEMPORARY: stand-ins for subsystems being written on other branches, so the
// shell can be built and tried on its own. Deleted when those branches merge.
#include <cstdint>
#include <string>

#include "catalogue/game_list.h"
#include "catalogue/record_database.h"
#include "evaluation/evaluate.h"
#include "evaluation/requirements.h"
#include "probe/detect_hardware.h"
#include "runtime/window_runtime.h"

void DetectHardware() {}
std::string GetFreeDiskSpaceText() {
    return {};
}
namespace WindowRuntime {
std::int32_t GetMemorySizeMb() {
    return 0;
}
std::string GetSoundCardName() {
    return {};
}
}  // namespace WindowRuntime
