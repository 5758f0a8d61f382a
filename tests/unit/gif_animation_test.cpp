// GIF animation: compositing on a white canvas, transparency, disposal,
// delays, the endless loop and where the stream ends, and damaged frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "avatar/picture/gif_animation.h"
#include "tests/unit/gif_test_file.h"

namespace moxilo {
namespace {

using test::GifTestFile;
using test::GifTestFrame;
using test::makeGif;

constexpr Pixel W = 0xFFFFFF;  // white
constexpr Pixel R = 0xFF0000;
constexpr Pixel G = 0x00FF00;
constexpr Pixel B = 0x0000FF;
const std::vector<Pixel> kColours = {0x000000, R, G, B};

GifTestFrame frame(int left, int width, std::vector<std::uint8_t> indices, int disposal = 0) {
  GifTestFrame f;
  f.left = left;
  f.width = width;
  f.height = 1;
  f.indices = std::move(indices);
  f.disposal = disposal;
  return f;
}

std::vector<Pixel> canvasOf(const GifAnimation& animation) {
  return {animation.canvas().begin(), animation.canvas().end()};
}

std::unique_ptr<GifAnimation> open(const ByteBuffer& bytes) {
  auto animation = GifAnimation::create(bytes);
  EXPECT_NE(animation, nullptr);
  return animation;
}

// Each row: the canvas after create() (row 0) or after each advance().
void expectSequence(const ByteBuffer& bytes, const std::vector<std::vector<Pixel>>& canvases) {
  const auto animation = open(bytes);
  ASSERT_NE(animation, nullptr);
  for (std::size_t step = 0; step < canvases.size(); ++step) {
    if (step > 0) animation->advance();
    EXPECT_EQ(canvasOf(*animation), canvases[step]) << "after step " << step;
  }
}

TEST(GifAnimation, DisposalPutsBackWhatLayUnder) {
  GifTestFrame transparentHole = frame(0, 3, {0, 3, 0});
  transparentHole.transparent = 0;
  const ByteBuffer bytes = makeGif({3, 1, kColours,
                                    {frame(0, 3, {1, 1, 1}, 1),     // red everywhere, kept
                                     frame(1, 1, {2}, 2),           // green, then taken off
                                     frame(2, 1, {3}, 3),           // blue, then taken off
                                     frame(0, 2, {2, 2}, 0),        // green, kept (no disposal)
                                     transparentHole}});            // only the middle changes
  expectSequence(bytes, {{R, R, R},
                         {R, G, R},
                         {R, R, B},
                         {G, G, R},
                         {G, B, R},
                         {R, R, R}});  // the loop: the first frame covers everything
}

TEST(GifAnimation, CanvasStartsWhiteAndLoopsWithoutClearing) {
  const ByteBuffer bytes = makeGif({3, 1, kColours, {frame(0, 1, {1}), frame(1, 1, {2})}});
  const auto animation = open(bytes);
  ASSERT_NE(animation, nullptr);
  EXPECT_EQ(animation->frameCount(), 2);
  EXPECT_EQ(canvasOf(*animation), (std::vector<Pixel>{R, W, W}));
  animation->advance();
  EXPECT_EQ(canvasOf(*animation), (std::vector<Pixel>{R, G, W}));
  for (int pass = 0; pass < 3; ++pass) {
    animation->advance();
    animation->advance();
    EXPECT_EQ(canvasOf(*animation), (std::vector<Pixel>{R, G, W})) << "pass " << pass;
  }
}

// Disposal 2 puts back what lay under the frame, like 3, not the background;
// a frame reaching past the canvas is taken off within the canvas.
TEST(GifAnimation, DisposalOfClippedFrameOverEarlierFrames) {
  const ByteBuffer bytes = makeGif({3, 1, kColours,
                                    {frame(0, 2, {3, 3}), frame(1, 4, {1, 1, 1, 1}, 2), frame(0, 1, {2})}});
  expectSequence(bytes, {{B, B, W}, {B, R, R}, {G, B, W}});
}

// Frames wholly outside the canvas change nothing, also when their disposal
// asks to put back what lay under them.
TEST(GifAnimation, FramesOffTheCanvas) {
  const ByteBuffer bytes = makeGif({3, 1, kColours,
                                    {frame(0, 3, {1, 2, 3}), frame(3, 2, {1, 1}, 2), frame(5, 1, {2}, 3)}});
  expectSequence(bytes, {{R, G, B}, {R, G, B}, {R, G, B}, {R, G, B}});
}

TEST(GifAnimation, Delays) {
  std::vector<GifTestFrame> frames;
  for (const int delay : {0, 10, 1, 7, 65535}) {
    GifTestFrame f = frame(0, 1, {1});
    f.delay = delay;
    frames.push_back(f);
  }
  GifTestFrame noControl = frame(0, 1, {2});
  noControl.control = false;
  frames.push_back(noControl);
  const auto animation = open(makeGif({1, 1, kColours, frames}));
  ASSERT_NE(animation, nullptr);
  ASSERT_EQ(animation->frameCount(), 6);
  const int want[] = {50, 100, 10, 70, 655350, 50, 50};  // the last: the loop back to the first
  EXPECT_EQ(animation->currentDelayMs(), want[0]);
  for (std::size_t i = 1; i < std::size(want); ++i) {
    EXPECT_EQ(animation->advance(), want[i]) << "frame " << i;
    EXPECT_EQ(animation->currentDelayMs(), want[i]) << "frame " << i;
  }
}

// A zero byte where a block should start ends the stream like the trailer:
// the frames after it are never shown.
TEST(GifAnimation, ZeroByteEndsTheStream) {
  const std::vector<GifTestFrame> frames = {frame(0, 1, {1}), frame(1, 1, {2}), frame(2, 1, {3})};
  const ByteBuffer two = makeGif({3, 1, kColours, {frames[0], frames[1]}});
  const ByteBuffer three = makeGif({3, 1, kColours, frames});
  ASSERT_TRUE(std::equal(two.begin(), two.end() - 1, three.begin()));
  ByteBuffer bytes(two.begin(), two.end() - 1);
  bytes.push_back(0x00);
  bytes.insert(bytes.end(), three.begin() + static_cast<std::ptrdiff_t>(two.size() - 1), three.end());

  const auto animation = open(bytes);
  ASSERT_NE(animation, nullptr);
  EXPECT_EQ(animation->frameCount(), 2);
  for (int step = 0; step < 6; ++step) animation->advance();
  EXPECT_EQ(canvasOf(*animation), (std::vector<Pixel>{R, G, W}));
}

// A damaged frame is drawn as far as its image data decodes: a code size no
// decoder takes draws nothing, but the frame's delay and disposal still apply
// and the frames after it play.
TEST(GifAnimation, DamagedFrameDrawsWhatDecodes) {
  GifTestFrame damaged = frame(1, 1, {2}, 0);
  damaged.delay = 20;
  const std::vector<GifTestFrame> frames = {frame(0, 1, {1}), damaged, frame(2, 1, {3})};
  const ByteBuffer one = makeGif({3, 1, kColours, {frames[0]}});
  ByteBuffer bytes = makeGif({3, 1, kColours, frames});
  const std::size_t codeSizeAt = one.size() - 1 + 8 + 10;  // control extension, descriptor
  ASSERT_EQ(bytes[codeSizeAt], 2);
  bytes[codeSizeAt] = 12;
  const auto animation = open(bytes);
  ASSERT_NE(animation, nullptr);
  EXPECT_EQ(animation->frameCount(), 3);
  EXPECT_EQ(animation->advance(), 200);
  EXPECT_EQ(canvasOf(*animation), (std::vector<Pixel>{R, W, W}));
  animation->advance();
  EXPECT_EQ(canvasOf(*animation), (std::vector<Pixel>{R, W, B}));
}

// The last frame cut short in its data: its decoded rows show, the rest of its
// area stays as it was, and the loop goes on.
TEST(GifAnimation, FrameCutShortShowsItsDecodedRows) {
  std::vector<Pixel> colours(256);
  for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = static_cast<Pixel>(i) * 0x010101;
  GifTestFrame first = frame(0, 30, std::vector<std::uint8_t>(900, 255));
  first.height = 30;
  GifTestFrame noisy = first;
  for (std::size_t i = 0; i < noisy.indices.size(); ++i) noisy.indices[i] = static_cast<std::uint8_t>(i * 61 % 250);
  const ByteBuffer whole = makeGif({30, 30, colours, {first, noisy}});
  const ByteBuffer bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 3 / 4));

  const auto animation = open(bytes);
  ASSERT_NE(animation, nullptr);
  EXPECT_EQ(animation->frameCount(), 2);
  animation->advance();
  const std::vector<Pixel> canvas = canvasOf(*animation);
  int decodedRows = 0;
  for (int y = 0; y < 30; ++y) {
    bool asFrame = true;
    bool asBefore = true;
    for (int x = 0; x < 30; ++x) {
      asFrame = asFrame && canvas[y * 30 + x] == colours[noisy.indices[y * 30 + x]];
      asBefore = asBefore && canvas[y * 30 + x] == colours[255];
    }
    EXPECT_TRUE(asFrame || asBefore) << "row " << y;
    if (asFrame) {
      EXPECT_EQ(decodedRows, y) << "decoded rows follow one another from the top";
      ++decodedRows;
    }
  }
  EXPECT_GT(decodedRows, 0);
  EXPECT_LT(decodedRows, 30);
  animation->advance();
  EXPECT_EQ(canvasOf(*animation), std::vector<Pixel>(900, colours[255]));
}

TEST(GifAnimation, CanvasLimit) {
  ByteBuffer bytes = makeGif({1, 1, kColours, {frame(0, 1, {1}), frame(0, 1, {2})}});
  ASSERT_NE(GifAnimation::create(bytes), nullptr);
  bytes[6] = bytes[7] = bytes[8] = bytes[9] = 0xFF;  // 65535 x 65535
  EXPECT_EQ(GifAnimation::create(bytes), nullptr);
  EXPECT_EQ(GifAnimation::create(ByteBuffer(bytes.begin(), bytes.begin() + 13)), nullptr);
}

}  // namespace
}  // namespace moxilo
