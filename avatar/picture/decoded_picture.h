#pragma once
// What the picture box makes of its bytes, and the row interface between the
// decoders and the scalers. Platform-free.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "base/byte_buffer.h"

namespace moxilo {

// 0x00RRGGBB, the layout of a 32-bit top-down DIB row.
using Pixel = std::uint32_t;

struct Size {
  int width = 0;
  int height = 0;
};

// Why a decoder gave nothing; for developers and tools, the program only sees
// "a picture" or "nothing".
enum class DecodeStatus { Ok, Truncated, Unsupported, OverLimit, Corrupt };
std::string_view toString(DecodeStatus status);

// Receives a picture's rows as a decoder produces them. begin() comes first,
// once; it may refuse the size. Then every row index 0..height-1 arrives exactly
// once, in any order (a BMP streams bottom-up, an interlaced GIF in passes).
class RowSink {
 public:
  virtual ~RowSink() = default;
  virtual bool begin(std::uint32_t width, std::uint32_t height) = 0;
  virtual void row(std::uint32_t y, std::span<const Pixel> pixels) = 0;
};

// How a picture is brought to the box's size: area averaging (halftone) on
// displays of more than 16 bits per pixel, row and column sampling
// (colour-on-colour) otherwise.
enum class ScaleMode { AreaAverage, Sample };

// A still picture, already scaled to the box.
struct StillImage {
  Size size;
  std::vector<Pixel> pixels;  // size.width * size.height, top-down
};

// The chosen entry of an ICO or CUR file; the Win32 side makes the system icon.
// `resource` points into the bytes that were decoded, which the caller keeps.
struct IconImage {
  ByteSpan resource;
  int width = 0;   // the image's bitmap header width
  int height = 0;  // half the bitmap header height
  int bitCount = 0;
};

class GifAnimation;  // avatar/picture/gif_animation.h

using DecodedPicture =
    std::variant<std::monostate, StillImage, IconImage, std::unique_ptr<GifAnimation>>;

// Recognises the bytes by their first six bytes and decodes them. A still
// picture comes back scaled to `box` with `mode`; an animation and an icon keep
// pointing into `bytes`, which must outlive the result.
DecodedPicture decodePicture(ByteSpan bytes, Size box, ScaleMode mode);

}  // namespace moxilo
