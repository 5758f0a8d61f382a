#pragma once
// The directory of an ICO or CUR file and the choice of the one image that
// becomes the icon. Platform-free; the system icon is made on the Win32 side.
#include <cstdint>

#include "avatar/picture/decoded_picture.h"

namespace moxilo {

// The first entry whose width byte is 32 and whose colour-count byte is 16 or
// more, else the last entry. Fails when the directory or the chosen image lies
// outside the bytes or the image's header is unusable.
DecodeStatus readIconImage(ByteSpan bytes, IconImage& icon);

// Index of the chosen directory entry, for tools.
DecodeStatus chooseIconEntry(ByteSpan bytes, std::uint32_t& index);

}  // namespace moxilo
