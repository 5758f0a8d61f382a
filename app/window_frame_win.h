#pragma once
// The frame: the HiddenOwnerWindow, the open windows, opening and closing
// them, and the main and modal message loops.
#include <windows.h>

#include "app/window_design.h"

namespace moxilo {

struct OpenWindowRecord;

// Start-up: the invisible tool window that owns modal windows. Never shown.
HWND createHiddenOwnerWindow(HINSTANCE instance);

// Opens a window of `design`. With `modal`, returns only after the window has
// been closed again. False when the window cannot be made.
bool openWindow(const WindowDesign& design, HWND parent, bool modal);

// The main loop: returns the quit request's value, at once when no window is open.
int runMainLoop();

// The record of an open top-level window; null for any other window.
OpenWindowRecord* findOpenWindow(HWND window);

// The frame's own resources at the end of the run (OLE).
void releaseFrameResources();

}  // namespace moxilo
