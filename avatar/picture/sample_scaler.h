#pragma once
// Colour-on-colour scaler: rows and columns are dropped or repeated, each
// target pixel taking the source pixel under its centre. Only the sampled
// source rows are kept, already narrowed to the target width.
#include <cstdint>
#include <vector>

#include "avatar/picture/decoded_picture.h"

namespace moxilo {

class SampleScaler final : public RowSink {
 public:
  explicit SampleScaler(Size target);

  bool begin(std::uint32_t width, std::uint32_t height) override;
  void row(std::uint32_t y, std::span<const Pixel> pixels) override;

  StillImage take() const;

 private:
  Size target_;
  std::uint32_t sourceWidth_ = 0;
  std::uint32_t sourceHeight_ = 0;
  std::vector<std::uint32_t> sourceColumn_;  // per target column, non-decreasing
  std::vector<std::uint32_t> sourceRow_;     // per target row, non-decreasing
  std::vector<Pixel> pixels_;
};

// The source index whose cell holds the centre of target cell `t`.
std::uint32_t sampleIndex(std::uint32_t t, std::uint32_t sourceLength, std::uint32_t targetLength);

}  // namespace moxilo
