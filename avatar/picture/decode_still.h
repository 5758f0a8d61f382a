#pragma once
// The still-picture half of decodePicture: a recognised kind's rows streamed to
// any sink. The developer tools use it with a full-size sink.
#include "avatar/picture/decoded_picture.h"
#include "avatar/picture/recognise.h"

namespace moxilo {

// Unsupported for the kinds that are no still picture (ICO, CUR, an animated GIF).
DecodeStatus decodeStill(ByteSpan bytes, PictureKind kind, RowSink& sink);

}  // namespace moxilo
