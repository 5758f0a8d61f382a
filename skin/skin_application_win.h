#pragma once
// The program's side of skinning: the engine entries, bound at their first
// call, and the two operations that the windows' created events run.
#include <string>

namespace moxilo {

// Start-up: remembers where the engine library lives and registers its two
// entries for binding at their first call. Loads nothing.
void registerSkinEngineEntries(const std::string& runDirectory);

// Writes the engine library next to the program when it is missing, then hands
// built-in skin `skinNumber` to the engine (a number outside 1..33 hands none).
void applySkin(int skinNumber);

// Writes the engine library when it is missing, then switches on its Aero look.
void enableSkinAero();

}  // namespace moxilo
