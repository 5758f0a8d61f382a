// Recognition and decodePicture in both scale modes, as the picture box calls it.
#include "avatar/picture/gif_animation.h"
#include "fuzz/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const moxilo::ByteSpan bytes{data, size};
  const moxilo::Size box{136, 130};
  for (const moxilo::ScaleMode mode : {moxilo::ScaleMode::AreaAverage, moxilo::ScaleMode::Sample}) {
    moxilo::fuzz::checkDecoded(moxilo::decodePicture(bytes, box, mode), box, bytes);
  }
  return 0;
}
