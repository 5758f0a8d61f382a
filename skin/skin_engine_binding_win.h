#pragma once
// The two entries of the skin engine library, each bound at its first call and
// kept for the rest of the run. registerSkinEngineEntries (in
// skin_application_win.h) sets the RunDirectory that binding loads from.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace moxilo {

enum class SkinEngineEntry { AttachRes, SetAero };

// The RunDirectory given at registration.
const std::string& skinEngineRunDirectory();

// Calls the entry with its arguments (at most six), binding it first when this
// is its first call. Ends the process through fatalRuntimeError when the library
// or the entry cannot be found, or when the entry leaves the stack unbalanced.
void callSkinEngine(SkinEngineEntry entry, std::initializer_list<std::uintptr_t> args);

}  // namespace moxilo
