#pragma once

// Reads fields 3 to 6 of the current catalogue record into gGameRequirements.
void LoadRequirements();
// Compares gHardwareProfile with gGameRequirements and writes the four result
// lines, the verdict icon and the coloured verdict sentence.
void EvaluateRequirements();
