#include "avatar/picture/full_size_sink.h"

#include <algorithm>

#include "avatar/picture/picture_limits.h"

namespace moxilo {

bool FullSizeSink::begin(std::uint32_t width, std::uint32_t height) {
  if (!withinPictureLimits(width, height) || std::uint64_t{width} * height > kMaxCanvasPixels) {
    return false;
  }
  image_.size = {static_cast<int>(width), static_cast<int>(height)};
  image_.pixels.assign(std::size_t{width} * height, 0);
  return true;
}

void FullSizeSink::row(std::uint32_t y, std::span<const Pixel> pixels) {
  const auto width = static_cast<std::size_t>(image_.size.width);
  if (y >= static_cast<std::uint32_t>(image_.size.height) || pixels.size() < width) return;
  std::copy_n(pixels.begin(), width, image_.pixels.begin() + static_cast<std::ptrdiff_t>(y * width));
}

}  // namespace moxilo
