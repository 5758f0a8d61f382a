#include "avatar/picture/sample_scaler.h"

#include <algorithm>

#include "avatar/picture/picture_limits.h"

namespace moxilo {

std::uint32_t sampleIndex(std::uint32_t t, std::uint32_t sourceLength, std::uint32_t targetLength) {
  return static_cast<std::uint32_t>((2 * std::uint64_t{t} + 1) * sourceLength / (2 * std::uint64_t{targetLength}));
}

SampleScaler::SampleScaler(Size target) : target_(target) {}

bool SampleScaler::begin(std::uint32_t width, std::uint32_t height) {
  if (target_.width <= 0 || target_.height <= 0 ||
      static_cast<std::uint32_t>(target_.width) > kMaxBoxSide ||
      static_cast<std::uint32_t>(target_.height) > kMaxBoxSide || !withinPictureLimits(width, height)) {
    return false;
  }
  sourceWidth_ = width;
  sourceHeight_ = height;
  const auto tw = static_cast<std::uint32_t>(target_.width);
  const auto th = static_cast<std::uint32_t>(target_.height);
  sourceColumn_.resize(tw);
  for (std::uint32_t j = 0; j < tw; ++j) sourceColumn_[j] = sampleIndex(j, width, tw);
  sourceRow_.resize(th);
  for (std::uint32_t r = 0; r < th; ++r) sourceRow_[r] = sampleIndex(r, height, th);
  pixels_.assign(std::size_t{tw} * th, 0);
  return true;
}

void SampleScaler::row(std::uint32_t y, std::span<const Pixel> pixels) {
  if (y >= sourceHeight_ || pixels.size() < sourceWidth_) return;
  const auto [first, last] = std::equal_range(sourceRow_.begin(), sourceRow_.end(), y);
  const std::size_t tw = sourceColumn_.size();
  for (auto r = first; r != last; ++r) {
    Pixel* out = &pixels_[static_cast<std::size_t>(r - sourceRow_.begin()) * tw];
    for (std::size_t j = 0; j < tw; ++j) out[j] = pixels[sourceColumn_[j]];
  }
}

StillImage SampleScaler::take() const {
  StillImage image;
  if (sourceWidth_ == 0) return image;
  image.size = target_;
  image.pixels = pixels_;
  return image;
}

}  // namespace moxilo
