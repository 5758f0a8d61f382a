#pragma once
// BMP files: uncompressed 1, 4, 8, 24 and 32 bits per pixel, streamed row by row.
#include "avatar/picture/decoded_picture.h"

namespace moxilo {

DecodeStatus decodeBmp(ByteSpan bytes, RowSink& sink);

}  // namespace moxilo
