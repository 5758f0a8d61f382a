#pragma once
// Where the skin engine library lives: next to the program file.
#include <string>
#include <string_view>

namespace moxilo {

inline constexpr char kSkinEngineFileName[] = "SkinH_EL.dll";

// RunDirectory followed by "\SkinH_EL.dll": a plain concatenation, so a drive
// root "C:" gives "C:\SkinH_EL.dll".
std::string skinEngineFilePath(std::string_view runDirectory);

}  // namespace moxilo
