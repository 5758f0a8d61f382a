#pragma once
// Keeps every row of a picture at full size, for developer tools and tests;
// the program itself scales rows as they arrive.
#include <cstdint>
#include <vector>

#include "avatar/picture/decoded_picture.h"

namespace moxilo {

class FullSizeSink final : public RowSink {
 public:
  // Refuses pictures beyond the limit of what may be held whole.
  bool begin(std::uint32_t width, std::uint32_t height) override;
  void row(std::uint32_t y, std::span<const Pixel> pixels) override;

  const StillImage& image() const { return image_; }

 private:
  StillImage image_;
};

}  // namespace moxilo
