#pragma once
// A window laid out like Moxilo's main window (the same controls, places and
// texts), for looking at skins and timing their painting without the program.
#include <windows.h>

namespace moxilo::skinsample {

inline constexpr int kSampleWidth = 410;
inline constexpr int kSampleHeight = 223;

// Creates the window hidden at (left, top) on the calling thread; null on failure.
HWND createSampleWindow(int left, int top);

}  // namespace moxilo::skinsample
