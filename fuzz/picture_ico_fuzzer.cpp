#include "avatar/picture/icon_directory.h"
#include "fuzz/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const moxilo::ByteSpan bytes{data, size};
  moxilo::IconImage icon;
  if (moxilo::readIconImage(bytes, icon) == moxilo::DecodeStatus::Ok) {
    moxilo::fuzz::checkIcon(icon, bytes);
  }
  return 0;
}
