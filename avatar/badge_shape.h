#pragma once
// The Badge's window shape: the pixels of its picture whose colour differs
// from the transparent colour, as runs on each scan line. Platform-free.
#include <vector>

#include "avatar/picture/decoded_picture.h"

namespace moxilo {

struct ShapeRun {
  int y = 0;
  int left = 0;   // first pixel of the run
  int right = 0;  // one past the last pixel
  friend bool operator==(const ShapeRun&, const ShapeRun&) = default;
};

// Runs in scan-line order, left to right. Pixel colours are compared exactly
// on red, green and blue (the top byte is ignored).
std::vector<ShapeRun> shapeRuns(const StillImage& picture, Pixel transparent);

}  // namespace moxilo
