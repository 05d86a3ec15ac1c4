// TEMPORARY: stand-ins for subsystems being written on other branches, so the
// shell can be built and tried on its own. Deleted when those branches merge.
#include <cstdint>
#include <string>

#include "catalogue/game_list.h"
#include "catalogue/record_database.h"
#include "evaluation/evaluate.h"
#include "evaluation/requirements.h"
#include "runtime/window_runtime.h"

GameRequirements gGameRequirements;
HardwareProfile gHardwareProfile;
void FillGameList() {}
void SearchGameList() {}
int ItemMatches(int, int, std::string_view) {
    return 0;
}
void OnGameListClick() {}
void OnGameListActivate() {}
void LoadRequirements() {}
void EvaluateRequirements() {}
namespace RecordDatabase {
void GoToRecord(std::int32_t) {}
void CloseDatabase() {}
}  // namespace RecordDatabase
