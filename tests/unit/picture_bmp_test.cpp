#include <gtest/gtest.h>

#include <vector>

#include "avatar/picture/bmp_decoder.h"
#include "tests/unit/picture_test_bytes.h"

namespace moxilo {
namespace {

using testing::BmpRecipe;
using testing::expectFullSizeDecode;
using testing::FailureCase;
using testing::makeBmp;

struct DecodeCase {
  const char* name;
  BmpRecipe recipe;
  Size size;
  std::vector<Pixel> want;  // top-down
};

constexpr Pixel kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

TEST(PictureBmp, DecodesEachBitDepthUpright) {
  const DecodeCase cases[] = {
      {"1-bit, 10 wide (two bytes a row)",
       {.width = 10, .height = 2, .bitCount = 1, .palette = {kRed, kBlue}, .rows = {{0xC0, 0x40}, {0x80, 0x00}}},
       {10, 2},
       {kBlue, kRed, kRed, kRed, kRed, kRed, kRed, kRed, kRed, kRed,  // the top row is stored last
        kBlue, kBlue, kRed, kRed, kRed, kRed, kRed, kRed, kRed, kBlue}},
      {"4-bit, odd width",
       {.width = 3, .height = 1, .bitCount = 4, .coloursUsed = 3, .palette = {0, kRed, kGreen}, .rows = {{0x12, 0x00}}},
       {3, 1},
       {kRed, kGreen, 0}},
      {"8-bit, colours-used count sizes the table",
       {.width = 2, .height = 1, .bitCount = 8, .coloursUsed = 2, .palette = {kGreen, kWhite}, .rows = {{1, 0}}},
       {2, 1},
       {kWhite, kGreen}},
      {"8-bit, index past the table is black",
       {.width = 2, .height = 1, .bitCount = 8, .coloursUsed = 2, .palette = {kGreen, kWhite}, .rows = {{7, 1}}},
       {2, 1},
       {0, kWhite}},
      {"24-bit 1x1", {.width = 1, .height = 1, .rows = {{0x01, 0x02, 0x03}}}, {1, 1}, {0x030201}},
      {"24-bit odd width, padded rows",
       {.width = 3, .height = 2, .rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {9, 8, 7, 6, 5, 4, 3, 2, 1}}},
       {3, 2},
       {0x070809, 0x040506, 0x010203, 0x030201, 0x060504, 0x090807}},
      {"32-bit, fourth byte ignored",
       {.width = 2, .height = 1, .bitCount = 32, .rows = {{0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0x7A}}},
       {2, 1},
       {0x302010, 0x605040}},
      {"top-down rows show upright",
       {.width = 1, .height = -2, .rows = {{0, 0, 0xFF}, {0xFF, 0, 0}}},
       {1, 2},
       {kRed, kBlue}},
      {"V5 header, colour table after the whole header",
       {.width = 2, .height = 1, .bitCount = 1, .headerSize = 124, .palette = {kBlue, kGreen}, .rows = {{0x40}}},
       {2, 1},
       {kBlue, kGreen}},
      {"pixels after a gap",
       {.width = 1, .height = 1, .rows = {{3, 2, 1}}, .pixelOffset = 200},
       {1, 1},
       {0x010203}},
  };
  for (const auto& c : cases) {
    ASSERT_NO_FATAL_FAILURE(expectFullSizeDecode(decodeBmp, makeBmp(c.recipe), c.size, c.want, c.name));
  }
}

TEST(PictureBmp, RefusesWhatItDoesNotTake) {
  const BmpRecipe ok = {.width = 2, .height = 2, .rows = {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}}};
  auto with = [&](auto change) {
    BmpRecipe r = ok;
    change(r);
    return makeBmp(r);
  };
  ByteBuffer cut = makeBmp(ok);
  cut.pop_back();
  testing::ByteWriter hugeTableWriter{with([](BmpRecipe& r) { r.bitCount = 8; r.coloursUsed = 0x10000000; })};
  hugeTableWriter.putU32(10, 0xFFFFFFF0);
  const ByteBuffer hugeTable = hugeTableWriter.bytes;
  testing::ByteWriter coreHeaderWriter{makeBmp(ok)};
  coreHeaderWriter.putU32(14, 12);
  const ByteBuffer coreHeader = coreHeaderWriter.bytes;
  const FailureCase cases[] = {
      {"16-bit", with([](BmpRecipe& r) { r.bitCount = 16; }), DecodeStatus::Unsupported},
      {"RLE8", with([](BmpRecipe& r) { r.bitCount = 8; r.compression = 1; }), DecodeStatus::Unsupported},
      {"RLE4", with([](BmpRecipe& r) { r.bitCount = 4; r.compression = 2; }), DecodeStatus::Unsupported},
      {"bit fields", with([](BmpRecipe& r) { r.bitCount = 32; r.compression = 3; }), DecodeStatus::Unsupported},
      {"2-bit", with([](BmpRecipe& r) { r.bitCount = 2; }), DecodeStatus::Unsupported},
      {"core header", coreHeader, DecodeStatus::Unsupported},
      {"pixels inside the header", with([](BmpRecipe& r) { r.pixelOffset = 50; }), DecodeStatus::Corrupt},
      {"pixels inside the colour table",
       with([](BmpRecipe& r) { r.bitCount = 8; r.palette = {1, 2, 3}; r.coloursUsed = 3; r.pixelOffset = 62; }),
       DecodeStatus::Corrupt},
      {"pixels inside the implied 256-entry table",
       with([](BmpRecipe& r) { r.bitCount = 8; r.palette = {1, 2}; }), DecodeStatus::Corrupt},
      {"huge colour table, pixels past the file", hugeTable, DecodeStatus::Truncated},
      {"zero width", with([](BmpRecipe& r) { r.width = 0; }), DecodeStatus::Corrupt},
      {"negative width", with([](BmpRecipe& r) { r.width = -2; }), DecodeStatus::Corrupt},
      {"zero height", with([](BmpRecipe& r) { r.height = 0; }), DecodeStatus::Corrupt},
      {"wider than the limit", with([](BmpRecipe& r) { r.width = 65537; r.height = 1; }), DecodeStatus::OverLimit},
      {"more pixels than the limit", with([](BmpRecipe& r) { r.width = 65536; r.height = 16385; }),
       DecodeStatus::OverLimit},
      {"pixel data one byte short", cut, DecodeStatus::Truncated},
      {"headers cut short", ByteBuffer(cut.begin(), cut.begin() + 53), DecodeStatus::Truncated},
  };
  for (const auto& c : cases) {
    FullSizeSink sink;
    EXPECT_EQ(decodeBmp(c.bytes, sink), c.want) << c.name;
  }
}

// A sink that refuses the picture stops the decoder before any row.
TEST(PictureBmp, SinkRefusalIsOverLimit) {
  struct Refusing : RowSink {
    bool begin(std::uint32_t, std::uint32_t) override { return false; }
    void row(std::uint32_t, std::span<const Pixel>) override { ++rows; }
    int rows = 0;
  } sink;
  EXPECT_EQ(decodeBmp(makeBmp({.rows = {{1, 2, 3}}}), sink), DecodeStatus::OverLimit);
  EXPECT_EQ(sink.rows, 0);
}

}  // namespace
}  // namespace moxilo
