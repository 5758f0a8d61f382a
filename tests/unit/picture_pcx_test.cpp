#include <gtest/gtest.h>

#include <vector>

#include "avatar/picture/pcx_decoder.h"
#include "tests/unit/picture_test_bytes.h"

namespace moxilo {
namespace {

using testing::expectFullSizeDecode;
using testing::FailureCase;
using testing::makePcx;
using testing::PcxRecipe;

constexpr Pixel kA = 0x102030, kB = 0xA0B0C0, kC = 0xFFEE00;

struct DecodeCase {
  const char* name;
  PcxRecipe recipe;
  Size size;
  std::vector<Pixel> want;
};

TEST(PicturePcx, DecodesRunLengthRows) {
  const DecodeCase cases[] = {
      {"8-bit literals", {.right = 1, .bottom = 1, .data = {0, 1, 2, 0}, .palette = {kA, kB, kC}},
       {2, 2}, {kA, kB, kC, kA}},
      {"8-bit run of three",
       {.right = 2, .bytesPerLine = 3, .data = {0xC3, 2}, .palette = {kA, kB, kC}}, {3, 1}, {kC, kC, kC}},
      {"a run may cross into the next scanline",
       {.right = 1, .bottom = 1, .data = {0xC3, 1, 2}, .palette = {kA, kB, kC}}, {2, 2}, {kB, kB, kB, kC}},
      {"a run past the last scanline is cut off",
       {.right = 1, .data = {0xFF, 1}, .palette = {kA, kB}}, {2, 1}, {kB, kB}},
      {"a zero-length run adds nothing",
       {.right = 1, .data = {0xC0, 2, 1, 0}, .palette = {kA, kB}}, {2, 1}, {kB, kA}},
      {"padding bytes past the width are skipped",
       {.right = 0, .bottom = 1, .bytesPerLine = 2, .data = {1, 2, 0, 2}, .palette = {kA, kB}}, {1, 2}, {kB, kA}},
      {"window not at the origin", {.left = 5, .top = 7, .right = 6, .bottom = 7, .data = {1, 0}, .palette = {kA, kB}},
       {2, 1}, {kB, kA}},
      {"1-bit: a set bit is white, a clear bit black",
       {.version = 3, .bitsPerPixel = 1, .right = 9, .bottom = 1, .bytesPerLine = 2,
        .data = {0xA0, 0x40, 0xC2, 0xFF}},
       {10, 2},
       {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0, 0, 0, 0, 0xFFFFFF,
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
  };
  for (const auto& c : cases) {
    ASSERT_NO_FATAL_FAILURE(expectFullSizeDecode(decodePcx, makePcx(c.recipe), c.size, c.want, c.name));
  }
}

TEST(PicturePcx, RefusesWhatItDoesNotTake) {
  const PcxRecipe ok = {.right = 1, .bottom = 1, .data = {0, 1, 2, 0}};
  auto with = [&](auto change) {
    PcxRecipe r = ok;
    change(r);
    return makePcx(r);
  };
  const ByteBuffer header = makePcx({.bitsPerPixel = 1, .data = {}});
  const ByteBuffer whole = makePcx(ok);
  const FailureCase cases[] = {
      {"image data ends early", with([](PcxRecipe& r) { r.data = {0, 1, 2}; }), DecodeStatus::Truncated},
      {"a run's value byte missing", with([](PcxRecipe& r) { r.data = {0, 1, 2, 0xC1}; }), DecodeStatus::Truncated},
      {"no 0x0C before the palette", with([](PcxRecipe& r) { r.paletteMarker = false; }), DecodeStatus::Corrupt},
      {"right before left", with([](PcxRecipe& r) { r.left = 2; }), DecodeStatus::Corrupt},
      {"bottom above top", with([](PcxRecipe& r) { r.top = 2; }), DecodeStatus::Corrupt},
      {"scanline shorter than the width", with([](PcxRecipe& r) { r.bytesPerLine = 1; }), DecodeStatus::Corrupt},
      {"three planes", with([](PcxRecipe& r) { r.planes = 3; }), DecodeStatus::Unsupported},
      {"4 bits a pixel", with([](PcxRecipe& r) { r.bitsPerPixel = 4; }), DecodeStatus::Unsupported},
      {"header only, 128 bytes", header, DecodeStatus::Truncated},
      {"8-bit without room for the palette", ByteBuffer(whole.begin(), whole.begin() + 200),
       DecodeStatus::Truncated},
  };
  for (const auto& c : cases) {
    FullSizeSink sink;
    EXPECT_EQ(decodePcx(c.bytes, sink), c.want) << c.name;
  }
}

}  // namespace
}  // namespace moxilo
