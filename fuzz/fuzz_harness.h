#pragma once
// Shared by every picture fuzzer. A fuzzer is a file fuzz/picture_<name>_fuzzer.cpp
// that defines LLVMFuzzerTestOneInput with these checks; fuzz/pictures.cmake
// builds each one with libFuzzer, and tests/pictures_fuzz_replay.cmake builds it
// with fuzz_replay_main.cpp into a plain program that replays corpus folders.
// A broken invariant aborts, so it is a finding just like a crash.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <variant>
#include <vector>

#include "avatar/picture/decoded_picture.h"
#include "avatar/picture/picture_limits.h"

namespace moxilo::fuzz {

[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "picture invariant broken: %s\n", what);
  std::abort();
}

inline void check(bool ok, const char* what) {
  if (!ok) fail(what);
}

// Keeps the pixel reads of every input alive through the optimiser.
inline volatile std::uint64_t gDigest = 0;

inline void touch(std::span<const Pixel> pixels) {
  std::uint64_t digest = 0;
  for (const Pixel p : pixels) {
    check((p >> 24) == 0, "pixel with bits above 0x00FFFFFF");
    digest += p;
  }
  gDigest = gDigest + digest;
}

// The sink refuses pictures above this many pixels, so that one input costs
// milliseconds; the decoders' header checks still run on such inputs.
inline constexpr std::uint64_t kFuzzMaxPixels = std::uint64_t{1} << 22;

// Checks the row contract: one begin() within the limits, then every row index
// below the height exactly once, each row at least the width long.
class CheckingSink final : public RowSink {
 public:
  bool begin(std::uint32_t width, std::uint32_t height) override {
    check(!begun_, "begin() called twice");
    begun_ = true;
    check(withinPictureLimits(width, height), "begin() past the picture limits");
    if (std::uint64_t{width} * height > kFuzzMaxPixels) return false;
    width_ = width;
    seen_.assign(height, false);
    accepted_ = true;
    return true;
  }

  void row(std::uint32_t y, std::span<const Pixel> pixels) override {
    check(accepted_, "row() without an accepted begin()");
    check(y < seen_.size(), "row index past the height");
    check(!seen_[y], "row delivered twice");
    check(pixels.size() >= width_, "row shorter than the width");
    seen_[y] = true;
    ++rows_;
    touch(pixels.first(width_));
  }

  // A success must have delivered every row of an accepted picture; a refused
  // picture must not succeed.
  void finish(DecodeStatus status) const {
    if (status != DecodeStatus::Ok) return;
    check(accepted_, "success although the sink refused the picture");
    check(rows_ == seen_.size(), "success without every row");
  }

 private:
  bool begun_ = false;
  bool accepted_ = false;
  std::uint32_t width_ = 0;
  std::vector<bool> seen_;
  std::size_t rows_ = 0;
};

// A still image that a scaler made for `box`.
inline void checkStill(const StillImage& still, Size box) {
  check(still.size.width == box.width && still.size.height == box.height, "still image not of the box size");
  check(still.pixels.size() == static_cast<std::size_t>(box.width) * box.height, "still image pixel count");
  touch(still.pixels);
}

// An icon chosen from `bytes`: its resource lies inside them.
inline void checkIcon(const IconImage& icon, ByteSpan bytes) {
  check(icon.resource.data() >= bytes.data() &&
            icon.resource.data() + icon.resource.size() <= bytes.data() + bytes.size(),
        "icon resource outside the bytes");
  check(icon.width > 0 && icon.height > 0 && static_cast<std::uint32_t>(icon.width) <= kMaxPictureSide &&
            static_cast<std::uint32_t>(icon.height) <= kMaxPictureSide,
        "icon size");
}

// What decodePicture returned for `box`. An animation is checked by the
// animation fuzzer.
inline void checkDecoded(const DecodedPicture& picture, Size box, ByteSpan bytes) {
  if (const auto* still = std::get_if<StillImage>(&picture)) checkStill(*still, box);
  if (const auto* icon = std::get_if<IconImage>(&picture)) checkIcon(*icon, bytes);
}

}  // namespace moxilo::fuzz
