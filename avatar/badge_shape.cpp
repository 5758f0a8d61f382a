#include "avatar/badge_shape.h"

namespace moxilo {

std::vector<ShapeRun> shapeRuns(const StillImage& picture, Pixel transparent) {
  constexpr Pixel kColourBits = 0x00FFFFFF;
  const Pixel key = transparent & kColourBits;
  const int width = picture.size.width;
  std::vector<ShapeRun> runs;
  if (width <= 0 || picture.size.height <= 0 ||
      picture.pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(picture.size.height)) {
    return runs;
  }
  for (int y = 0; y < picture.size.height; ++y) {
    const Pixel* row = picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    int x = 0;
    while (x < width) {
      while (x < width && (row[x] & kColourBits) == key) ++x;
      const int start = x;
      while (x < width && (row[x] & kColourBits) != key) ++x;
      if (x > start) runs.push_back({y, start, x});
    }
  }
  return runs;
}

}  // namespace moxilo
