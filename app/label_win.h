#pragma once
// The label control: one line of text, left-aligned and vertically centred,
// on the button-face colour inside the system's thin frame.
#include <windows.h>

namespace moxilo {

inline constexpr char kLabelClass[] = "MoxiloLabel";

bool registerLabelClass(HINSTANCE instance);

}  // namespace moxilo
