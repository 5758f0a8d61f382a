#include "avatar/picture/gif_decoder.h"
#include "fuzz/fuzz_harness.h"

// Any GIF may be decoded as a still image; the classification only has to run
// without faults.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const moxilo::ByteSpan bytes{data, size};
  moxilo::fuzz::gDigest = moxilo::fuzz::gDigest + moxilo::isGifStill(bytes);
  moxilo::fuzz::CheckingSink sink;
  sink.finish(moxilo::decodeGifStill(bytes, sink));
  return 0;
}
