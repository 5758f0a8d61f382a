#include <gtest/gtest.h>

#include <string_view>
#include <variant>

#include "avatar/picture/decoded_picture.h"
#include "avatar/picture/gif_animation.h"
#include "tests/unit/picture_test_bytes.h"

namespace moxilo {
namespace {

constexpr Size kBox = {136, 130};

TEST(PictureDecode, EachKindGivesItsKindOfResult) {
  const ByteBuffer bmp = testing::makeBmp({.width = 1, .height = 1, .rows = {{0x30, 0x20, 0x10}}});
  for (const ScaleMode mode : {ScaleMode::AreaAverage, ScaleMode::Sample}) {
    const DecodedPicture picture = decodePicture(bmp, kBox, mode);
    const auto* still = std::get_if<StillImage>(&picture);
    ASSERT_NE(still, nullptr);
    EXPECT_EQ(still->size.width, kBox.width);
    EXPECT_EQ(still->size.height, kBox.height);
    // A 1 x 1 picture fills the whole box with its one colour.
    for (const Pixel p : still->pixels) ASSERT_EQ(p, 0x102030u);
  }

  testing::ByteWriter icon;
  icon.u16(0).u16(1).u16(1).u8(32).u8(32).u8(16).u8(0).u16(1).u16(4).u32(40).u32(22);
  icon.u32(40).i32(32).i32(64).u16(1).u16(4).zeros(24);
  const DecodedPicture iconPicture = decodePicture(icon.bytes, kBox, ScaleMode::AreaAverage);
  const auto* chosen = std::get_if<IconImage>(&iconPicture);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->resource.data(), icon.bytes.data() + 22);
  EXPECT_EQ(chosen->height, 32);
}

TEST(PictureDecode, NothingForWhatIsNoPicture) {
  std::string_view text = "just some text, not a picture";
  ByteBuffer bmp16 = testing::makeBmp({.width = 1, .height = 1, .bitCount = 16, .rows = {{0, 0}}});
  ByteBuffer rle = testing::makeBmp({.width = 1, .height = 1, .bitCount = 8, .compression = 1, .rows = {{0, 0}}});
  const ByteBuffer cases[] = {
      ByteBuffer(text.begin(), text.end()), ByteBuffer{'B', 'M', 0, 0, 0}, bmp16, rle,
      ByteBuffer{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0},  // 13 bytes: too short for a GIF
  };
  for (const ByteBuffer& bytes : cases) {
    EXPECT_TRUE(std::holds_alternative<std::monostate>(decodePicture(bytes, kBox, ScaleMode::AreaAverage)))
        << bytes.size() << " bytes";
  }
}

}  // namespace
}  // namespace moxilo
