#include "avatar/badge_shape.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "avatar/picture/bmp_decoder.h"
#include "avatar/picture/full_size_sink.h"

namespace moxilo {
namespace {

StillImage picture(int width, int height, std::vector<Pixel> pixels) {
  return {{width, height}, std::move(pixels)};
}

TEST(BadgeShape, RunsOfNonTransparentPixelsPerScanLine) {
  constexpr Pixel K = 0x000000, R = 0xFF0000, A = 0xFF000000;  // A: black with a top byte
  const StillImage image = picture(5, 3, {
      R, R, K, R, K,
      K, K, K, K, K,
      A, R, R, R, R,
  });
  EXPECT_EQ(shapeRuns(image, 0x000000),
            (std::vector<ShapeRun>{{0, 0, 2}, {0, 3, 4}, {2, 1, 5}}));
  // Only red, green and blue count: a black pixel with a top byte is still black.
  EXPECT_EQ(shapeRuns(image, 0xFF000000).size(), 3u);
  // Another key colour: the red pixels are cut instead.
  EXPECT_EQ(shapeRuns(image, R), (std::vector<ShapeRun>{{0, 2, 3}, {0, 4, 5}, {1, 0, 5}, {2, 0, 1}}));
}

TEST(BadgeShape, MalformedPictureGivesNoShape) {
  EXPECT_TRUE(shapeRuns(picture(4, 4, std::vector<Pixel>(15, 0xFFFFFF)), 0).empty());
  EXPECT_TRUE(shapeRuns(picture(0, 4, {}), 0).empty());
  EXPECT_TRUE(shapeRuns(picture(-1, 1, {1}), 0).empty());
}

ByteBuffer readBadgeImage() {
  std::ifstream file(MOXILO_SOURCE_DIR "/resources/badge.bmp", std::ios::binary);
  return ByteBuffer(std::istreambuf_iterator<char>(file), {});
}

std::uint32_t le32(const ByteBuffer& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST(BadgeImage, LayoutOfTheCompiledInBmp) {
  const ByteBuffer bmp = readBadgeImage();
  ASSERT_EQ(bmp.size(), 6774u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(le32(bmp, 2), 6774u);  // file size
  EXPECT_EQ(le32(bmp, 10), 54u);   // pixel data offset
  EXPECT_EQ(le32(bmp, 14), 40u);   // information header size
  EXPECT_EQ(le32(bmp, 18), 42u);
  EXPECT_EQ(le32(bmp, 22), 40u);  // positive: bottom-up
  EXPECT_EQ(bmp[26] | bmp[27] << 8, 1);
  EXPECT_EQ(bmp[28] | bmp[29] << 8, 32);
  EXPECT_EQ(le32(bmp, 30), 0u);  // uncompressed

  int outside = 0, edge = 0, opaque = 0;
  for (std::size_t at = 54; at < bmp.size(); at += 4) {
    const bool black = bmp[at] == 0 && bmp[at + 1] == 0 && bmp[at + 2] == 0;
    const std::uint8_t alpha = bmp[at + 3];
    if (black) {
      EXPECT_EQ(alpha, 0) << "a black pixel is outside the emblem, at byte " << at;
      ++outside;
    } else if (alpha == 255) {
      ++opaque;
    } else {
      EXPECT_GT(alpha, 0) << "byte " << at;
      ++edge;
    }
  }
  EXPECT_EQ(outside, 242);
  EXPECT_GT(edge, 0) << "the outer edge is partly transparent";
  EXPECT_GT(opaque, 1000);
}

// The Badge's shape is the emblem: all 1,680 pixels but the 242 black ones.
TEST(BadgeImage, ShapeCoversExactlyTheEmblem) {
  const ByteBuffer bmp = readBadgeImage();
  FullSizeSink sink;
  ASSERT_EQ(decodeBmp(bmp, sink), DecodeStatus::Ok);
  ASSERT_EQ(sink.image().size.width, 42);
  ASSERT_EQ(sink.image().size.height, 40);
  const std::vector<ShapeRun> runs = shapeRuns(sink.image(), 0x000000);
  int covered = 0;
  for (const ShapeRun& run : runs) covered += run.right - run.left;
  EXPECT_EQ(covered, 1680 - 242);
  // The corners are cut away, the centre is in.
  const auto contains = [&](int x, int y) {
    for (const ShapeRun& run : runs) {
      if (run.y == y && x >= run.left && x < run.right) return true;
    }
    return false;
  };
  EXPECT_FALSE(contains(0, 0));
  EXPECT_FALSE(contains(41, 39));
  EXPECT_TRUE(contains(21, 20));
}

}  // namespace
}  // namespace moxilo
