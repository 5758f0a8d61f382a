// GIF still images: still-or-animation classification, colour tables,
// transparency, interlaced row order, clipping and damaged image data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "avatar/picture/gif_animation.h"
#include "avatar/picture/gif_decoder.h"
#include "tests/unit/gif_test_file.h"

namespace moxilo {
namespace {

using test::GifTestFile;
using test::GifTestFrame;
using test::makeGif;

constexpr Pixel kWhite = 0xFFFFFF;
constexpr Pixel kBlack = 0x000000;
constexpr Pixel kRed = 0xFF0000;
constexpr Pixel kGreen = 0x00FF00;
constexpr Pixel kBlue = 0x0000FF;
const std::vector<Pixel> kColours = {kBlack, kRed, kGreen, kBlue};

// Keeps the picture and the order in which rows arrived, and checks that each
// row arrives once.
class RecordingSink final : public RowSink {
 public:
  bool begin(std::uint32_t width, std::uint32_t height) override {
    image.size = {static_cast<int>(width), static_cast<int>(height)};
    image.pixels.assign(std::size_t{width} * height, 0x12345678);
    return true;
  }
  void row(std::uint32_t y, std::span<const Pixel> pixels) override {
    EXPECT_LT(y, static_cast<std::uint32_t>(image.size.height));
    EXPECT_EQ(std::count(order.begin(), order.end(), static_cast<int>(y)), 0) << "row " << y << " twice";
    order.push_back(static_cast<int>(y));
    const auto width = static_cast<std::size_t>(image.size.width);
    std::copy_n(pixels.begin(), width, image.pixels.begin() + static_cast<std::ptrdiff_t>(y * width));
  }
  StillImage image;
  std::vector<int> order;
};

StillImage decodeStill(const ByteBuffer& bytes) {
  RecordingSink sink;
  EXPECT_EQ(decodeGifStill(bytes, sink), DecodeStatus::Ok);
  EXPECT_EQ(sink.order.size(), static_cast<std::size_t>(sink.image.size.height));
  return sink.image;
}

GifTestFrame solid(int left, int top, int width, int height, std::uint8_t index) {
  GifTestFrame frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  frame.indices.assign(static_cast<std::size_t>(width) * height, index);
  return frame;
}

std::string show(const StillImage& image) {
  std::string text;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X ", image.pixels[i]);
    text += buffer;
    if ((i + 1) % static_cast<std::size_t>(image.size.width) == 0) text += "| ";
  }
  return text;
}

void expectPixels(const StillImage& image, Size size, const std::vector<Pixel>& want, const std::string& what) {
  EXPECT_EQ(image.size.width, size.width) << what;
  EXPECT_EQ(image.size.height, size.height) << what;
  EXPECT_EQ(image.pixels, want) << what << "\nhave " << show(image);
}

TEST(GifStill, StillOrAnimation) {
  const ByteBuffer one = makeGif({2, 2, kColours, {solid(0, 0, 2, 2, 1)}});
  const ByteBuffer two = makeGif({2, 2, kColours, {solid(0, 0, 2, 2, 1), solid(0, 0, 1, 1, 2)}});
  ASSERT_EQ(one.back(), 0x3B);
  auto plus = [](ByteBuffer bytes, std::vector<std::uint8_t> tail) {
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
  };
  ByteBuffer zeroTerminated = one;
  zeroTerminated.back() = 0x00;
  const ByteBuffer header(one.begin(), one.begin() + 13);
  ByteBuffer noImage(one.begin(), one.begin() + 13 + 12);  // header and global table
  noImage.push_back(0x3B);

  struct Case {
    const char* name;
    ByteBuffer bytes;
    bool still;
    bool animation;
  };
  const Case cases[] = {
      {"one image and the trailer", one, true, false},
      {"one image without the trailer", ByteBuffer(one.begin(), one.end() - 1), true, false},
      {"one image cut short in its data", ByteBuffer(one.begin(), one.end() - 4), true, false},
      {"one image, two trailers", plus(one, {0x3B}), false, true},
      {"one image, a zero byte for the trailer", zeroTerminated, false, true},
      {"one image, then a comment", plus(ByteBuffer(one.begin(), one.end() - 1), {0x21, 0xFE, 1, 'x', 0, 0x3B}),
       false, true},
      {"two images", two, false, true},
      {"13 bytes", header, false, false},
      {"no image", noImage, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isGifStill(c.bytes), c.still) << c.name;
    EXPECT_EQ(GifAnimation::create(c.bytes) != nullptr, c.animation || c.still) << c.name;
  }
}

// The image lies on a white screen; its transparent index leaves the white.
TEST(GifStill, ImageOnWhiteScreen) {
  GifTestFrame frame = solid(1, 1, 2, 2, 0);
  frame.indices = {1, 2, 3, 0};
  frame.transparent = 0;
  const StillImage image = decodeStill(makeGif({4, 3, kColours, {frame}}));
  expectPixels(image, {4, 3},
               {kWhite, kWhite, kWhite, kWhite,  //
                kWhite, kRed, kGreen, kWhite,    //
                kWhite, kBlue, kWhite, kWhite},
               "2 x 2 at 1,1");
}

TEST(GifStill, ColourTables) {
  GifTestFrame local = solid(0, 0, 3, 1, 0);
  local.indices = {0, 1, 3};
  local.localColours = {kBlue, kGreen};
  GifTestFrame global = local;
  global.localColours.clear();
  GifTestFrame pastTable = solid(0, 0, 3, 1, 0);
  pastTable.indices = {0, 1, 3};

  // A table of two entries: index 3 has no colour and shows black.
  ByteBuffer noTable = makeGif({3, 1, {kRed, kGreen}, {pastTable}});
  // Byte patch: no global table flag at offset 10, and its 6 bytes removed.
  noTable[10] &= 0x7F;
  noTable.erase(noTable.begin() + 13, noTable.begin() + 19);

  struct Case {
    const char* name;
    ByteBuffer bytes;
    std::vector<Pixel> want;
  };
  const Case cases[] = {
      {"local table over the global one", makeGif({3, 1, {kRed, kWhite}, {local}}), {kBlue, kGreen, kBlack}},
      {"global table", makeGif({3, 1, {kRed, kWhite}, {global}}), {kRed, kWhite, kBlack}},
      {"no table at all", noTable, {kBlack, kBlack, kBlack}},
  };
  for (const Case& c : cases) expectPixels(decodeStill(c.bytes), {3, 1}, c.want, c.name);
}

TEST(GifStill, InterlacedRowsLandInPlace) {
  std::vector<Pixel> colours(16);
  for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = 0x100000 * static_cast<Pixel>(i) + 7;
  for (const bool interlaced : {false, true}) {
    GifTestFrame frame = solid(0, 0, 1, 10, 0);
    for (std::uint8_t y = 0; y < 10; ++y) frame.indices[y] = y;
    frame.interlaced = interlaced;
    RecordingSink sink;
    ASSERT_EQ(decodeGifStill(makeGif({1, 10, colours, {frame}}), sink), DecodeStatus::Ok);
    const std::vector<Pixel> want(colours.begin(), colours.begin() + 10);
    EXPECT_EQ(sink.image.pixels, want) << "interlaced " << interlaced;
    const std::vector<int> order = interlaced ? std::vector<int>{0, 8, 4, 2, 6, 1, 3, 5, 7, 9}
                                              : std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(sink.order, order) << "interlaced " << interlaced;
  }
}

TEST(GifStill, ImagesClippedToTheScreen) {
  GifTestFrame tallInterlaced = solid(0, 1, 1, 5, 3);
  tallInterlaced.interlaced = true;
  struct Case {
    const char* name;
    GifTestFrame frame;
    std::vector<Pixel> want;
  };
  const Case cases[] = {
      {"over the right and bottom edges", solid(2, 1, 3, 3, 1),
       {kWhite, kWhite, kWhite, kWhite, kWhite, kRed, kWhite, kWhite, kRed}},
      {"wholly right of the screen", solid(5, 0, 2, 2, 1), std::vector<Pixel>(9, kWhite)},
      {"wholly below the screen", solid(0, 7, 2, 2, 1), std::vector<Pixel>(9, kWhite)},
      {"taller than the screen", solid(1, 1, 1, 5, 2),
       {kWhite, kWhite, kWhite, kWhite, kGreen, kWhite, kWhite, kGreen, kWhite}},
      {"taller and interlaced", tallInterlaced,
       {kWhite, kWhite, kWhite, kBlue, kWhite, kWhite, kBlue, kWhite, kWhite}},
  };
  for (const Case& c : cases) expectPixels(decodeStill(makeGif({3, 3, kColours, {c.frame}})), {3, 3}, c.want, c.name);
}

// A screen of zero width or height takes the first image's right and bottom edges.
TEST(GifStill, BlankScreenTakesTheImageExtent) {
  const StillImage image = decodeStill(makeGif({0, 0, kColours, {solid(1, 0, 1, 2, 2)}}));
  expectPixels(image, {2, 2}, {kWhite, kGreen, kWhite, kGreen}, "1 x 2 at 1,0");
}

// Damaged image data: the rows decoded before the damage are shown, the rest
// stays white; the picture is still a picture.
TEST(GifStill, DamagedImageDataKeepsTheRowsBeforeIt) {
  std::vector<Pixel> colours(256);
  for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = static_cast<Pixel>(i) * 0x010203 + 0x100;
  GifTestFrame frame = solid(0, 0, 40, 40, 0);
  for (std::size_t i = 0; i < frame.indices.size(); ++i) frame.indices[i] = static_cast<std::uint8_t>(i * 37 % 251);
  const ByteBuffer whole = makeGif({40, 40, colours, {frame}});
  const std::size_t dataStart = 13 + 3 * 256 + 8 + 10;  // header, table, control, descriptor
  ASSERT_LT(dataStart, whole.size());

  auto rowOk = [&](const StillImage& image, int y) {
    for (int x = 0; x < 40; ++x) {
      if (image.pixels[y * 40 + x] != colours[frame.indices[y * 40 + x]]) return false;
    }
    return true;
  };
  auto rowWhite = [&](const StillImage& image, int y) {
    return std::all_of(image.pixels.begin() + y * 40, image.pixels.begin() + (y + 1) * 40,
                       [](Pixel p) { return p == kWhite; });
  };
  for (const std::size_t keep : {dataStart, dataStart + 1, dataStart + 100, (dataStart + whole.size()) / 2,
                                 whole.size() - 3}) {
    const StillImage image = decodeStill(ByteBuffer(whole.begin(), whole.begin() + keep));
    ASSERT_EQ(image.pixels.size(), 1600u);
    int decoded = 0;
    while (decoded < 40 && rowOk(image, decoded)) ++decoded;
    for (int y = decoded; y < 40; ++y) EXPECT_TRUE(rowWhite(image, y)) << "cut at " << keep << ", row " << y;
    if (keep >= (dataStart + whole.size()) / 2) {
      EXPECT_GT(decoded, 10) << "cut at " << keep;
    }
    if (keep <= dataStart + 1) {
      EXPECT_EQ(decoded, 0) << "cut at " << keep;
    }
  }
  for (const std::uint8_t codeSize : {0, 9, 12}) {
    ByteBuffer bytes = whole;
    bytes[dataStart] = codeSize;
    const StillImage image = decodeStill(bytes);
    EXPECT_TRUE(std::all_of(image.pixels.begin(), image.pixels.end(), [](Pixel p) { return p == kWhite; }))
        << "code size " << int{codeSize};
  }
}

TEST(GifStill, PastThePictureLimit) {
  ByteBuffer bytes = makeGif({1, 1, kColours, {solid(0, 0, 1, 1, 1)}});
  bytes[6] = bytes[7] = bytes[8] = bytes[9] = 0xFF;  // a 65535 x 65535 screen
  RecordingSink sink;
  EXPECT_EQ(decodeGifStill(bytes, sink), DecodeStatus::OverLimit);
  EXPECT_TRUE(sink.order.empty());
  EXPECT_EQ(GifAnimation::create(bytes), nullptr);
}

}  // namespace
}  // namespace moxilo
