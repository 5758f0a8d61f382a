#include "avatar/picture/area_scaler.h"

#include <algorithm>

#include "avatar/picture/picture_limits.h"

namespace moxilo {
namespace {

bool validTarget(Size target) {
  return target.width > 0 && target.height > 0 &&
         static_cast<std::uint32_t>(target.width) <= kMaxBoxSide &&
         static_cast<std::uint32_t>(target.height) <= kMaxBoxSide;
}

// Overlap of source cell i (scaled by targetLength) with target cell j (scaled
// by sourceLength) on one axis.
std::uint64_t overlap(std::uint64_t i, std::uint64_t j, std::uint64_t sourceLength,
                      std::uint64_t targetLength) {
  const std::uint64_t start = std::max(i * targetLength, j * sourceLength);
  const std::uint64_t end = std::min((i + 1) * targetLength, (j + 1) * sourceLength);
  return end > start ? end - start : 0;
}

}  // namespace

AreaScaler::AreaScaler(Size target) : target_(target) {}

bool AreaScaler::begin(std::uint32_t width, std::uint32_t height) {
  if (!validTarget(target_) || !withinPictureLimits(width, height)) return false;
  sourceWidth_ = width;
  sourceHeight_ = height;
  const std::uint64_t tw = static_cast<std::uint64_t>(target_.width);
  shares_.clear();
  shares_.reserve(width + tw);
  for (std::uint64_t j = 0; j < tw; ++j) {
    const std::uint64_t first = j * width / tw;
    const std::uint64_t last = ((j + 1) * width - 1) / tw;
    for (std::uint64_t i = first; i <= last; ++i) {
      const std::uint64_t w = overlap(i, j, width, tw);
      if (w > 0) {
        shares_.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j),
                           static_cast<std::uint32_t>(w)});
      }
    }
  }
  rowSums_.assign(tw * 3, 0);
  sums_.assign(tw * static_cast<std::uint64_t>(target_.height) * 3, 0);
  return true;
}

void AreaScaler::row(std::uint32_t y, std::span<const Pixel> pixels) {
  if (y >= sourceHeight_ || pixels.size() < sourceWidth_) return;
  std::fill(rowSums_.begin(), rowSums_.end(), 0);
  for (const Share& share : shares_) {
    const Pixel p = pixels[share.source];
    std::uint64_t* sum = &rowSums_[share.target * 3];
    sum[0] += std::uint64_t{share.weight} * ((p >> 16) & 0xFF);
    sum[1] += std::uint64_t{share.weight} * ((p >> 8) & 0xFF);
    sum[2] += std::uint64_t{share.weight} * (p & 0xFF);
  }
  const std::uint64_t th = static_cast<std::uint64_t>(target_.height);
  const std::uint64_t tw3 = rowSums_.size();
  const std::uint64_t first = std::uint64_t{y} * th / sourceHeight_;
  const std::uint64_t last = ((std::uint64_t{y} + 1) * th - 1) / sourceHeight_;
  for (std::uint64_t r = first; r <= last && r < th; ++r) {
    const std::uint64_t wy = overlap(y, r, sourceHeight_, th);
    std::uint64_t* sums = &sums_[r * tw3];
    for (std::uint64_t k = 0; k < tw3; ++k) sums[k] += wy * rowSums_[k];
  }
}

StillImage AreaScaler::take() const {
  StillImage image;
  if (sourceWidth_ == 0) return image;
  image.size = target_;
  const std::uint64_t area = std::uint64_t{sourceWidth_} * sourceHeight_;
  image.pixels.resize(sums_.size() / 3);
  for (std::size_t k = 0; k < image.pixels.size(); ++k) {
    const std::uint64_t* s = &sums_[k * 3];
    const auto channel = [&](int c) { return static_cast<Pixel>((s[c] + area / 2) / area); };
    image.pixels[k] = (channel(0) << 16) | (channel(1) << 8) | channel(2);
  }
  return image;
}

}  // namespace moxilo
