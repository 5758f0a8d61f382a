#pragma once
// Registration of the program's own window classes.
#include <windows.h>

namespace moxilo {

// Registers a window class with the arrow cursor. A class already registered
// counts as success, so that every window of the class can ask for it.
inline bool registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style = 0) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = name;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace moxilo
