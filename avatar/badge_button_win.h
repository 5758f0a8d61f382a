#pragma once
// 图形按钮1, the Badge: an image button of our own window class. It paints its
// picture through a 48 x 48 off-screen image and cuts the transparent colour
// out of its window shape, so clicks there reach the window below.
#include <windows.h>

#include "avatar/picture/decoded_picture.h"
#include "base/byte_buffer.h"

namespace moxilo {

bool registerImageButtonClass(HINSTANCE instance);

// Creates the button as child `id` of `parent`. `picture` is decoded with the
// still-image rules of BMP files; `transparent` (0x00RRGGBB) is cut out of the
// shape. Null when the window cannot be made.
HWND createImageButton(HWND parent, int id, const RECT& bounds, bool visible, ByteSpan picture,
                       Pixel transparent);

}  // namespace moxilo
