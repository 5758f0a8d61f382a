#pragma once
// Named limits of picture decoding. Past any of them a picture is "nothing".
#include <cstdint>

namespace moxilo {

// Widest and tallest picture taken; more than any real format's pictures
// (JPEG stops at 65500, GIF at 65535) and small enough that every coordinate
// product below fits in 64 bits with room to spare.
inline constexpr std::uint32_t kMaxPictureSide = 65536;

// Pixels of a streamed picture. Rows are scaled as they arrive, so a big
// picture only costs time, never memory.
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 30;

// Pixels of anything held whole: an animation canvas, a full-size image kept
// by the developer tools (128 MB of 32-bit pixels).
inline constexpr std::uint64_t kMaxCanvasPixels = std::uint64_t{1} << 25;

// Largest box a picture is scaled to; the program's box is 136 x 130.
inline constexpr std::uint32_t kMaxBoxSide = 4096;

// True when a picture of this size may be streamed.
inline bool withinPictureLimits(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

}  // namespace moxilo
