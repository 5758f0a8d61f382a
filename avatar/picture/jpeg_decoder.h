#pragma once
// JPEG pictures through libjpeg's scanline interface: decoded in full (never
// DCT-scaled) and handed to a RowSink row by row, so no full-size image is held.
#include <cstddef>

#include "avatar/picture/decoded_picture.h"

namespace moxilo {

// Each scan of a progressive file is a pass over the whole image, so thousands
// of tiny scans would cost minutes; real encoders write about ten.
inline constexpr int kMaxJpegScans = 100;
// The library's own working memory: the whole-image coefficient buffer of a
// progressive file is the only large part (about 3 bytes a pixel for 4:2:0).
inline constexpr long kMaxJpegWorkingMemory = 256L * 1024 * 1024;

// Colour files give their red, green and blue, greyscale files grey pixels, and
// CMYK/YCCK files (Adobe-inverted, as every writer stores them) are converted to
// RGB. A file the library rejects gives a failure; the library's warnings (such
// as image data that ends early) do not abort, the rest of the image is grey.
// Progressive files of more than kMaxJpegScans scans and images past the
// picture limits are refused before the costly work starts.
DecodeStatus decodeJpeg(ByteSpan bytes, RowSink& sink);

}  // namespace moxilo
