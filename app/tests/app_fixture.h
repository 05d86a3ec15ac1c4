#pragma once
#include <gtest/gtest.h>

#include <string>

// Starts the program in-process the way the real start-up does: the main
// window is created hidden, its creation handler loads the splash modally,
// and the splash's timer reveals the main window about three seconds later.
// The catalogue is written as database.dat into the test program's own run
// directory first.
namespace AppTest {

// Writes the catalogue (file bytes) as database.dat in the run directory,
// or removes database.dat when `present` is false.
void PlaceCatalogue(const std::string& bytes, bool present = true);
// Start-up as the program does it; returns once the main window's creation
// handler has finished, about three seconds later.
void StartProgram();
// The same, but Escape is pressed on the splash as soon as it shows, which
// runs its catalogue check at once: for tests about what comes after.
void StartProgramQuickly();
// Back to the state before StartProgram: every window destroyed, flags and
// values at their start, no current catalogue.
void StopProgram();

}  // namespace AppTest
