#include "avatar/bmp_file_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace moxilo {
namespace {

TEST(BmpFileImage, LayoutPadsRowsToFourBytes) {
  struct Case {
    std::int32_t width, height;
    std::uint32_t stride, imageSize, fileSize;
  };
  const Case cases[] = {
      {136, 130, 408, 53'040, 53'094},  // the picture box: no pad bytes
      {5, 2, 16, 32, 86},               // 15 pixel bytes and 1 pad byte per row
      {1, 1, 4, 4, 58},
      {2, 3, 8, 24, 78},
      {3, 1, 12, 12, 66},
      {4, 1, 12, 12, 66},
      {7, 1, 24, 24, 78},
  };
  for (const Case& c : cases) {
    const auto layout = bmpLayout(c.width, c.height);
    ASSERT_TRUE(layout) << c.width << "x" << c.height;
    EXPECT_EQ(layout->stride, c.stride) << c.width << "x" << c.height;
    EXPECT_EQ(layout->imageSize, c.imageSize) << c.width << "x" << c.height;
    EXPECT_EQ(layout->fileSize, c.fileSize) << c.width << "x" << c.height;
  }
}

TEST(BmpFileImage, LayoutRefusesEmptyAndOversizedImages) {
  struct Case {
    std::int32_t width, height;
  };
  const Case refused[] = {{0, 1}, {1, 0}, {-1, 5}, {5, -1}, {INT32_MAX, INT32_MAX},
                          // 65536 x 65536 x 3 bytes passes 2^32.
                          {65536, 65536},
                          // Rows fit exactly but the 54 header bytes do not.
                          {1, 1 << 30}};
  for (const Case& c : refused) {
    EXPECT_FALSE(bmpLayout(c.width, c.height)) << c.width << "x" << c.height;
  }
  // The largest file size that still fits: 54 + 4 x height <= 2^32 - 1.
  const auto largest = bmpLayout(1, (0xFFFF'FFFFu - 54) / 4);
  ASSERT_TRUE(largest);
  EXPECT_EQ(largest->fileSize, 54 + 4 * ((0xFFFF'FFFFu - 54) / 4));
}

TEST(BmpFileImage, HeadersHoldEveryFieldLittleEndian) {
  const auto layout = bmpLayout(5, 2);
  ASSERT_TRUE(layout);
  const BmpFileHeader file = bmpFileHeader(kBmpInfoHeaderSize + layout->imageSize);
  const BmpInfoHeader info = bmpInfoHeader(5, 2, layout->imageSize);
  std::vector<std::uint8_t> have(file.begin(), file.end());
  have.insert(have.end(), info.begin(), info.end());
  const std::vector<std::uint8_t> want = {
      'B', 'M',                // file type
      86, 0, 0, 0,             // file size
      0, 0, 0, 0,              // two reserved fields
      54, 0, 0, 0,             // offset of the pixel rows
      40, 0, 0, 0,             // information header size
      5, 0, 0, 0,              // width
      2, 0, 0, 0,              // height, positive: bottom-up
      1, 0,                    // planes
      24, 0,                   // bits per pixel
      0, 0, 0, 0,              // compression: none
      32, 0, 0, 0,             // image size
      0, 0, 0, 0, 0, 0, 0, 0,  // resolutions
      0, 0, 0, 0, 0, 0, 0, 0,  // colours used, important colours
  };
  EXPECT_EQ(have, want);
}

TEST(BmpFileImage, HeadersOfTheAvatarAndOfLargeValues) {
  const BmpFileHeader file = bmpFileHeader(40 + 53'040);
  EXPECT_EQ(file[2] | file[3] << 8 | file[4] << 16 | file[5] << 24, 53'094);

  // Every byte of a four-byte field is written, also the high ones.
  const BmpInfoHeader info = bmpInfoHeader(0x01020304, 0x0A0B0C0D, 0xF1F2F3F4);
  const std::vector<std::uint8_t> width(info.begin() + 4, info.begin() + 8);
  const std::vector<std::uint8_t> height(info.begin() + 8, info.begin() + 12);
  const std::vector<std::uint8_t> size(info.begin() + 20, info.begin() + 24);
  EXPECT_EQ(width, (std::vector<std::uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(height, (std::vector<std::uint8_t>{0x0D, 0x0C, 0x0B, 0x0A}));
  EXPECT_EQ(size, (std::vector<std::uint8_t>{0xF4, 0xF3, 0xF2, 0xF1}));
}

}  // namespace
}  // namespace moxilo
