#pragma once
// The header of a 32-bit top-down DIB, the layout of the program's pixel rows
// (0x00RRGGBB, first row on top).
#include <windows.h>

namespace moxilo {

inline BITMAPINFO topDownDibInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace moxilo
