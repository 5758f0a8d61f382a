#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "avatar/picture/recognise.h"

namespace moxilo {
namespace {

struct RecognitionCase {
  const char* name;
  std::vector<std::uint8_t> lead;
  std::optional<PictureKind> want;
};

TEST(PictureRecognise, FirstMatchingRowOfTheTable) {
  using K = PictureKind;
  const RecognitionCase cases[] = {
      {"BMP", {'B', 'M', 0, 0, 0, 0}, K::Bmp},
      {"JPEG", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10}, K::Jpeg},
      {"ICO", {0, 0, 1, 0, 1, 0}, K::Ico},
      {"ICO, count in the high byte", {0, 0, 1, 0, 0, 1}, K::Ico},
      {"ICO, no images", {0, 0, 1, 0, 0, 0}, std::nullopt},
      {"CUR", {0, 0, 2, 0, 3, 0}, K::Cur},
      {"type 3", {0, 0, 3, 0, 1, 0}, std::nullopt},
      {"reserved word not 0", {1, 0, 1, 0, 1, 0}, std::nullopt},
      {"GIF87a", {'G', 'I', 'F', '8', '7', 'a'}, K::Gif},
      {"GIF89a", {'G', 'I', 'F', '8', '9', 'a'}, K::Gif},
      {"GIF88a", {'G', 'I', 'F', '8', '8', 'a'}, std::nullopt},
      {"GIF89b", {'G', 'I', 'F', '8', '9', 'b'}, std::nullopt},
      {"PCX 8-bit version 5", {0x0A, 5, 1, 8, 0, 0}, K::Pcx8},
      {"PCX 8-bit version 0", {0x0A, 0, 1, 8, 0, 0}, K::Pcx8},
      {"PCX 8-bit version 6", {0x0A, 6, 1, 8, 0, 0}, std::nullopt},
      {"PCX 8-bit not encoded", {0x0A, 5, 0, 8, 0, 0}, std::nullopt},
      {"PCX 1-bit version 3", {0x0A, 3, 1, 1, 0, 0}, K::Pcx1},
      {"PCX 1-bit version 5", {0x0A, 5, 1, 1, 0, 0}, std::nullopt},
      {"PCX 4-bit", {0x0A, 5, 1, 4, 0, 0}, std::nullopt},
      {"text", {'h', 'e', 'l', 'l', 'o', ' '}, std::nullopt},
      {"five bytes of a BMP", {'B', 'M', 0, 0, 0}, std::nullopt},
      {"empty", {}, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(recognisePicture(c.lead), c.want) << c.name;
  }
}

TEST(PictureRecognise, OnlyTheFirstSixBytesCount) {
  std::vector<std::uint8_t> bytes = {'B', 'M', 0, 0, 0, 0};
  bytes.resize(4096, 0xFF);
  EXPECT_EQ(recognisePicture(bytes), PictureKind::Bmp);
  bytes[0] = 'G';
  EXPECT_EQ(recognisePicture(bytes), std::nullopt);
}

}  // namespace
}  // namespace moxilo
