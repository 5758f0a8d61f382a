#include "avatar/picture/jpeg_decoder.h"
#include "fuzz/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  moxilo::fuzz::CheckingSink sink;
  sink.finish(moxilo::decodeJpeg({data, size}, sink));
  return 0;
}
