#include "evaluation/requirements.h"

GameRequirements gGameRequirements;
HardwareProfile gHardwareProfile;
