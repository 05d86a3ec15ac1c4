#pragma once
#include <cstdint>

// Process-wide 0/1 flags, 0 at start and never cleared in a run.
extern std::int32_t GameChosen;      // a game has been chosen in the list or by the search
extern std::int32_t ConfigDetected;  // step two has been started at least once

// Tests only: back to the state at start.
void ResetApplicationState();
