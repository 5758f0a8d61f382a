#pragma once
// The one builder that turns a WindowDesign into native windows.
#include <windows.h>

namespace moxilo {

struct OpenWindowRecord;

// The window procedure of every designed top-level window (the frame's).
LRESULT CALLBACK designedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the record's window, hidden, owned by `owner`, at its design size and
// centred on the screen, with every control. On failure nothing is left over
// and the result is false.
bool buildWindow(OpenWindowRecord& record, HWND owner);

}  // namespace moxilo
