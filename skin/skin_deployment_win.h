#pragma once
// Deployment of the skin engine library next to the program file.

namespace moxilo {

// Writes the embedded engine library to RunDirectory + "\SkinH_EL.dll", hidden,
// unless an entry of that name (any file or a directory) is already there.
// Reports nothing; a library that cannot be written is left to the engine load.
void ensureSkinEngineFile();

}  // namespace moxilo
