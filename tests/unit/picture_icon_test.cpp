#include <gtest/gtest.h>

#include <vector>

#include "avatar/picture/icon_directory.h"
#include "tests/unit/picture_test_bytes.h"

namespace moxilo {
namespace {

using testing::ByteWriter;
using testing::FailureCase;

struct Entry {
  std::uint8_t widthByte;
  std::uint8_t colourCount;
  ByteBuffer image;
};

// A bitmap icon image: its header (height counting image and mask) and filler.
ByteBuffer bitmapImage(std::int32_t width, std::int32_t headerHeight, std::uint16_t bits) {
  ByteWriter w;
  w.u32(40).i32(width).i32(headerHeight).u16(1).u16(bits).zeros(24).zeros(16);
  return w.bytes;
}

ByteBuffer pngImage(std::uint32_t width, std::uint32_t height) {
  ByteWriter w;
  w.raw({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
  for (const std::uint32_t v : {width, height}) w.u8(v >> 24).u8(v >> 16).u8(v >> 8).u8(v);
  w.zeros(9);
  return w.bytes;
}

ByteBuffer makeIcon(const std::vector<Entry>& entries, std::uint16_t type = 1) {
  ByteWriter w;
  w.u16(0).u16(type).u16(static_cast<std::uint32_t>(entries.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
  for (const Entry& e : entries) {
    w.u8(e.widthByte).u8(e.widthByte).u8(e.colourCount).u8(0).u16(1).u16(32);
    w.u32(static_cast<std::uint32_t>(e.image.size())).u32(offset);
    offset += static_cast<std::uint32_t>(e.image.size());
  }
  for (const Entry& e : entries) w.raw(e.image);
  return w.bytes;
}

struct ChoiceCase {
  const char* name;
  std::vector<Entry> entries;
  std::uint32_t wantIndex;
  Size wantSize;
  int wantBits;
};

TEST(PictureIcon, ChoosesTheEntryByTheRule) {
  const ChoiceCase cases[] = {
      {"first 32-wide entry of 16 or more colours",
       {{16, 16, bitmapImage(16, 32, 4)}, {32, 16, bitmapImage(32, 64, 4)}, {32, 0, bitmapImage(32, 64, 32)}},
       1, {32, 32}, 4},
      {"a colour count below 16 does not qualify",
       {{32, 2, bitmapImage(32, 64, 1)}, {48, 0, bitmapImage(48, 96, 32)}}, 1, {48, 48}, 32},
      {"colour count 0 (true colour) does not qualify: the last entry",
       {{32, 0, bitmapImage(32, 64, 32)}, {16, 0, bitmapImage(16, 32, 32)}}, 1, {16, 16}, 32},
      {"size from the bitmap header, not the directory",
       {{32, 16, bitmapImage(20, 50, 8)}}, 0, {20, 25}, 8},
      {"PNG entry sized by its IHDR", {{0, 0, pngImage(256, 256)}}, 0, {256, 256}, 32},
  };
  for (const auto& c : cases) {
    for (const std::uint16_t type : {1, 2}) {
      const ByteBuffer bytes = makeIcon(c.entries, type);
      std::uint32_t index = 99;
      ASSERT_EQ(chooseIconEntry(bytes, index), DecodeStatus::Ok) << c.name;
      EXPECT_EQ(index, c.wantIndex) << c.name;
      IconImage icon;
      ASSERT_EQ(readIconImage(bytes, icon), DecodeStatus::Ok) << c.name;
      EXPECT_EQ(icon.width, c.wantSize.width) << c.name;
      EXPECT_EQ(icon.height, c.wantSize.height) << c.name;
      EXPECT_EQ(icon.bitCount, c.wantBits) << c.name;
      const ByteBuffer& image = c.entries[c.wantIndex].image;
      EXPECT_EQ(icon.resource.size(), image.size()) << c.name;
      EXPECT_TRUE(std::equal(image.begin(), image.end(), icon.resource.begin())) << c.name;
    }
  }
}

TEST(PictureIcon, RefusesBrokenDirectories) {
  const ByteBuffer good = makeIcon({{32, 16, bitmapImage(32, 64, 4)}});
  auto patched = [&](std::size_t at, std::uint32_t value) {
    ByteWriter w{good};
    w.putU32(at, value);
    return w.bytes;
  };
  ByteBuffer cutDirectory(good.begin(), good.begin() + 20);
  ByteBuffer cutImage(good.begin(), good.end() - 1);
  const FailureCase cases[] = {
      {"directory cut short", cutDirectory, DecodeStatus::Truncated},
      {"image runs past the end", cutImage, DecodeStatus::Truncated},
      {"entry offset past the end", patched(6 + 12, 0x10000), DecodeStatus::Truncated},
      {"offset plus size overflows", patched(6 + 8, 0xFFFFFFFF), DecodeStatus::Truncated},
      {"image smaller than its header", patched(6 + 8, 20), DecodeStatus::Truncated},
      {"header height below 2", makeIcon({{32, 16, bitmapImage(32, 1, 4)}}), DecodeStatus::Corrupt},
      {"negative width", makeIcon({{32, 16, bitmapImage(-32, 64, 4)}}), DecodeStatus::Corrupt},
      {"core header", patched(22, 12), DecodeStatus::Unsupported},
      {"PNG past the limit", makeIcon({{0, 0, pngImage(70000, 16)}}), DecodeStatus::OverLimit},
      {"no entries", makeIcon({}), DecodeStatus::Unsupported},
  };
  for (const auto& c : cases) {
    IconImage icon;
    EXPECT_EQ(readIconImage(c.bytes, icon), c.want) << c.name;
  }
}

}  // namespace
}  // namespace moxilo
