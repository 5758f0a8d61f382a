#include "avatar/picture/gif_animation.h"
#include "fuzz/fuzz_harness.h"

namespace {

// Two passes over the frames of a short animation show the loop; longer ones
// are stepped through in part so that one input stays cheap.
constexpr int kMaxSteps = 64;

void checkCanvas(const moxilo::GifAnimation& animation) {
  const moxilo::Size size = animation.size();
  moxilo::fuzz::check(size.width > 0 && size.height > 0, "empty canvas");
  moxilo::fuzz::check(static_cast<std::uint64_t>(size.width) * size.height <= moxilo::kMaxCanvasPixels,
                      "canvas past its limit");
  moxilo::fuzz::check(animation.canvas().size() == static_cast<std::size_t>(size.width) * size.height,
                      "canvas pixel count");
  moxilo::fuzz::check(animation.currentDelayMs() > 0, "delay of 0 ms");
  moxilo::fuzz::touch(animation.canvas());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto animation = moxilo::GifAnimation::create({data, size});
  if (!animation) return 0;
  // The fuzzer's memory cap would stop a big canvas anyway; skip it to stay fast.
  if (animation->canvas().size() > moxilo::fuzz::kFuzzMaxPixels) return 0;
  moxilo::fuzz::check(animation->frameCount() > 0, "animation without frames");
  checkCanvas(*animation);
  const int steps = animation->frameCount() * 2 < kMaxSteps ? animation->frameCount() * 2 : kMaxSteps;
  for (int i = 0; i < steps; ++i) {
    moxilo::fuzz::check(animation->advance() == animation->currentDelayMs(), "delay of the new frame");
    checkCanvas(*animation);
  }
  return 0;
}
