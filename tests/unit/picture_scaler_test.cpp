#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "avatar/picture/area_scaler.h"
#include "avatar/picture/full_size_sink.h"
#include "avatar/picture/picture_limits.h"
#include "avatar/picture/sample_scaler.h"

namespace moxilo {
namespace {

struct Picture {
  Size size;
  std::vector<Pixel> pixels;
};

template <typename Scaler>
StillImage scale(const Picture& source, Size target, bool reverseRows = false) {
  Scaler scaler(target);
  EXPECT_TRUE(scaler.begin(source.size.width, source.size.height));
  const auto w = static_cast<std::size_t>(source.size.width);
  for (int k = 0; k < source.size.height; ++k) {
    const int y = reverseRows ? source.size.height - 1 - k : k;
    scaler.row(y, std::span<const Pixel>(source.pixels).subspan(y * w, w));
  }
  return scaler.take();
}

Picture grey(Size size, std::vector<std::uint8_t> levels) {
  Picture p{size, {}};
  for (const std::uint8_t v : levels) p.pixels.push_back(Pixel{v} * 0x010101);
  return p;
}

std::vector<std::uint8_t> blue(const StillImage& image) {
  std::vector<std::uint8_t> out;
  for (const Pixel p : image.pixels) out.push_back(static_cast<std::uint8_t>(p & 0xFF));
  return out;
}

struct SmallCase {
  const char* name;
  Picture source;
  Size target;
  std::vector<std::uint8_t> want;
};

TEST(PictureAreaScaler, ExactCoverageOnSmallCases) {
  const SmallCase cases[] = {
      {"3x3 to 1x1", grey({3, 3}, {0, 10, 20, 30, 40, 50, 60, 70, 80}), {1, 1}, {40}},
      {"half rounds up", grey({2, 1}, {0, 255}), {1, 1}, {128}},
      {"just below half rounds down", grey({3, 1}, {0, 0, 1}), {1, 1}, {0}},
      {"3 to 2: a middle pixel split in halves", grey({3, 1}, {0, 90, 180}), {2, 1}, {30, 150}},
      {"2 to 3: the middle takes both halves", grey({2, 1}, {0, 90}), {3, 1}, {0, 45, 90}},
      {"vertical 3 to 2", grey({1, 3}, {0, 90, 180}), {1, 2}, {30, 150}},
      {"1x1 fills the box", grey({1, 1}, {77}), {3, 2}, {77, 77, 77, 77, 77, 77}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(blue(scale<AreaScaler>(c.source, c.target)), c.want) << c.name;
  }
}

// Brute force: every source pixel weighted by the exact area it shares with
// each target pixel, in rational arithmetic scaled to integers.
StillImage referenceAreaAverage(const Picture& source, Size target) {
  const std::int64_t sw = source.size.width, sh = source.size.height, tw = target.width, th = target.height;
  auto overlap = [](std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
    return std::max<std::int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
  };
  StillImage out{target, {}};
  for (std::int64_t r = 0; r < th; ++r) {
    for (std::int64_t j = 0; j < tw; ++j) {
      std::int64_t sum[3] = {0, 0, 0};
      for (std::int64_t y = 0; y < sh; ++y) {
        for (std::int64_t x = 0; x < sw; ++x) {
          const std::int64_t weight = overlap(x * tw, (x + 1) * tw, j * sw, (j + 1) * sw) *
                                      overlap(y * th, (y + 1) * th, r * sh, (r + 1) * sh);
          const Pixel p = source.pixels[y * sw + x];
          for (int c = 0; c < 3; ++c) sum[c] += weight * ((p >> (16 - 8 * c)) & 0xFF);
        }
      }
      const std::int64_t area = sw * sh;
      Pixel p = 0;
      for (int c = 0; c < 3; ++c) p |= static_cast<Pixel>((2 * sum[c] + area) / (2 * area)) << (16 - 8 * c);
      out.pixels.push_back(p);
    }
  }
  return out;
}

TEST(PictureAreaScaler, MatchesBruteForceInAnyRowOrder) {
  std::mt19937 random(7);
  const std::pair<Size, Size> sizes[] = {
      {{17, 13}, {5, 4}}, {{5, 4}, {17, 13}}, {{40, 39}, {13, 13}}, {{7, 1}, {3, 5}}, {{1, 9}, {4, 2}},
      {{29, 31}, {29, 31}}, {{68, 26}, {34, 26}},
  };
  for (const auto& [from, to] : sizes) {
    Picture source{from, {}};
    for (int k = 0; k < from.width * from.height; ++k) source.pixels.push_back(random() & 0xFFFFFF);
    const StillImage want = referenceAreaAverage(source, to);
    EXPECT_EQ(scale<AreaScaler>(source, to).pixels, want.pixels) << from.width << "x" << from.height;
    EXPECT_EQ(scale<AreaScaler>(source, to, true).pixels, want.pixels) << "reversed rows";
  }
}

TEST(PictureSampleScaler, DropsAndRepeatsByCentre) {
  const SmallCase cases[] = {
      {"4 to 2 keeps the second of each pair", grey({4, 1}, {10, 20, 30, 40}), {2, 1}, {20, 40}},
      {"2 to 4 repeats each twice", grey({2, 1}, {10, 20}), {4, 1}, {10, 10, 20, 20}},
      {"3 to 2", grey({3, 1}, {10, 20, 30}), {2, 1}, {10, 30}},
      {"rows: 3 to 5", grey({1, 3}, {10, 20, 30}), {1, 5}, {10, 10, 20, 30, 30}},
      {"1x1 fills the box", grey({1, 1}, {99}), {2, 2}, {99, 99, 99, 99}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(blue(scale<SampleScaler>(c.source, c.target)), c.want) << c.name;
    EXPECT_EQ(blue(scale<SampleScaler>(c.source, c.target, true)), c.want) << c.name << ", reversed rows";
  }
}

TEST(PictureScalers, RefuseSizesPastTheLimits) {
  const std::pair<std::pair<std::uint32_t, std::uint32_t>, Size> cases[] = {
      {{kMaxPictureSide + 1, 1}, {136, 130}},
      {{1, kMaxPictureSide + 1}, {136, 130}},
      {{kMaxPictureSide, kMaxPictureSide / 4 + 1}, {136, 130}},  // past kMaxPicturePixels
      {{0, 5}, {136, 130}},
      {{5, 5}, {0, 130}},
      {{5, 5}, {136, static_cast<int>(kMaxBoxSide) + 1}},
  };
  for (const auto& [source, box] : cases) {
    AreaScaler area(box);
    SampleScaler sample(box);
    EXPECT_FALSE(area.begin(source.first, source.second)) << source.first << "x" << source.second;
    EXPECT_FALSE(sample.begin(source.first, source.second)) << source.first << "x" << source.second;
  }
  // The full-size sink holds the picture whole, so it stops at the canvas limit.
  FullSizeSink full;
  EXPECT_FALSE(full.begin(8192, kMaxCanvasPixels / 8192 + 1));
}

}  // namespace
}  // namespace moxilo
