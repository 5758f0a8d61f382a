#pragma once
// JPEG pictures through libjpeg's scanline interface: decoded in full (never
// DCT-scaled) and handed to a RowSink row by row, so no full-size image is held.
#include "avatar/picture/decoded_picture.h"

namespace moxilo {

// Colour files give their red, green and blue, greyscale files grey pixels, and
// CMYK/YCCK files (Adobe-inverted, as every writer stores them) are converted to
// RGB. A file the library rejects gives a failure; the library's warnings (such
// as image data that ends early) do not abort, the rest of the image is grey.
// Progressive files of more than kMaxJpegScans scans and images past the
// picture limits are refused before the costly work starts.
DecodeStatus decodeJpeg(ByteSpan bytes, RowSink& sink);

}  // namespace moxilo
