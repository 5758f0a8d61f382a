#pragma once
// Window capture: what one window shows on screen, frame and child windows
// included, as a BmpFileImage (avatar/bmp_file_image.h) of the window's size.
#include <windows.h>

#include "base/byte_buffer.h"

namespace moxilo {

// Copies the window's pixels as they are drawn at this moment (nothing is
// repainted or raised first) and converts them to 24 bits per pixel. Empty when
// the handle names no window or nothing could be captured. UI thread only.
ByteBuffer captureWindowImage(HWND window);

}  // namespace moxilo
