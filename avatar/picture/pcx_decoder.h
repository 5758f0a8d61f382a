#pragma once
// PCX files: one plane of 1 bit (black and white) or 8 bits (with the
// 256-colour palette at the end), run-length decoded and streamed row by row.
#include "avatar/picture/decoded_picture.h"

namespace moxilo {

DecodeStatus decodePcx(ByteSpan bytes, RowSink& sink);

}  // namespace moxilo
