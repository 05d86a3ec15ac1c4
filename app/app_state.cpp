#include "app/app_state.h"

#include "evaluation/requirements.h"

std::int32_t GameChosen = 0;
std::int32_t ConfigDetected = 0;

void ResetApplicationState() {
    GameChosen = 0;
    ConfigDetected = 0;
    gGameRequirements = GameRequirements{};
    gHardwareProfile = HardwareProfile{};
}
