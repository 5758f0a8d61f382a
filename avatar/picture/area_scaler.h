#pragma once
// Area-averaging scaler (halftone): every target pixel is the average of the
// source area it covers, with exact fractional coverage on both axes, in
// integer arithmetic, rounded to nearest. Rows may arrive in any order and are
// folded into the target as they come, so the full-size picture is never held.
#include <cstdint>
#include <vector>

#include "avatar/picture/decoded_picture.h"

namespace moxilo {

class AreaScaler final : public RowSink {
 public:
  explicit AreaScaler(Size target);

  // Refuses a source beyond the picture limits or a target beyond the box limit.
  bool begin(std::uint32_t width, std::uint32_t height) override;
  void row(std::uint32_t y, std::span<const Pixel> pixels) override;

  // The target image; valid once every row has arrived.
  StillImage take() const;

 private:
  // A source column's share of one target column, in units where a source
  // pixel is target-width wide and a target pixel source-width wide.
  struct Share {
    std::uint32_t source;
    std::uint32_t target;
    std::uint32_t weight;
  };

  Size target_;
  std::uint32_t sourceWidth_ = 0;
  std::uint32_t sourceHeight_ = 0;
  std::vector<Share> shares_;
  std::vector<std::uint64_t> rowSums_;  // one source row folded to target columns, 3 per pixel
  std::vector<std::uint64_t> sums_;     // weighted channel sums of every target pixel, 3 per pixel
};

}  // namespace moxilo
