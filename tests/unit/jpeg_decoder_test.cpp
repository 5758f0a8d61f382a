// JPEG decoding: pixels against djpeg (the library's own tool) and ImageMagick,
// damaged files, and the bounds on hostile files. Every JPEG is made here with
// libjpeg's encoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "avatar/picture/full_size_sink.h"
#include "avatar/picture/jpeg_decoder.h"

namespace moxilo {
namespace {

enum class Colours { Grey, YCbCr, AdobeCmyk, Ycck };

struct JpegRecipe {
  int width = 37;  // odd sizes: partial MCUs on both axes
  int height = 21;
  Colours colours = Colours::YCbCr;
  std::vector<jpeg_scan_info> scans;  // empty: baseline
};

// Smooth gradients with a sharp edge, so both the DCT and the upsampling show.
JSAMPLE sample(int x, int y, int c) {
  const int v = (x * 7 + y * 11 + c * 60 + ((x / 8 + y / 8) % 2) * 90) % 256;
  return static_cast<JSAMPLE>(v);
}

ByteBuffer encodeJpeg(const JpegRecipe& recipe) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&cinfo, &out, &outSize);
  cinfo.image_width = static_cast<JDIMENSION>(recipe.width);
  cinfo.image_height = static_cast<JDIMENSION>(recipe.height);
  const bool cmyk = recipe.colours == Colours::AdobeCmyk || recipe.colours == Colours::Ycck;
  cinfo.input_components = recipe.colours == Colours::Grey ? 1 : cmyk ? 4 : 3;
  cinfo.in_color_space = recipe.colours == Colours::Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  // CMYK and YCCK get the Adobe marker from jpeg_set_colorspace.
  if (recipe.colours == Colours::Ycck) jpeg_set_colorspace(&cinfo, JCS_YCCK);
  if (!recipe.scans.empty()) {
    cinfo.scan_info = recipe.scans.data();
    cinfo.num_scans = static_cast<int>(recipe.scans.size());
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(recipe.width) * cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < recipe.width; ++x) {
      for (int c = 0; c < cinfo.input_components; ++c) {
        row[static_cast<std::size_t>(x) * cinfo.input_components + c] = sample(x, y, c);
      }
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  ByteBuffer bytes(out, out + outSize);
  std::free(out);
  return bytes;
}

// A progressive scan script of `count` scans for a three-component image: the
// DC of all components, then single AC coefficients component by component.
std::vector<jpeg_scan_info> progressiveScans(int count) {
  std::vector<jpeg_scan_info> scans;
  scans.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
  for (int i = 0; static_cast<int>(scans.size()) < count; ++i) {
    const int component = i / 63;
    const int k = 1 + i % 63;
    scans.push_back({1, {component, 0, 0, 0}, k, k, 0, 0});
  }
  return scans;
}

std::filesystem::path writeTemp(const std::string& name, const ByteBuffer& bytes) {
  const std::filesystem::path dir = std::filesystem::path(MOXILO_BINARY_DIR) / "jpeg-test";
  std::filesystem::create_directories(dir);
  const auto path = dir / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Runs a command that writes a binary PGM or PPM (P5 or P6, maxval 255).
StillImage readPnmFrom(const std::string& command) {
  StillImage image;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return image;
  int kind = 0, w = 0, h = 0, maxval = 0;
  if (std::fscanf(pipe, "P%d %d %d %d", &kind, &w, &h, &maxval) == 4 && maxval == 255 &&
      (kind == 5 || kind == 6)) {
    std::fgetc(pipe);  // the one whitespace byte before the pixels
    const std::size_t channels = kind == 6 ? 3 : 1;
    std::vector<unsigned char> samples(static_cast<std::size_t>(w) * h * channels);
    if (std::fread(samples.data(), 1, samples.size(), pipe) == samples.size()) {
      image.size = {w, h};
      for (std::size_t i = 0; i < samples.size(); i += channels) {
        const unsigned char* s = &samples[i];
        image.pixels.push_back(channels == 3 ? (Pixel{s[0]} << 16) | (Pixel{s[1]} << 8) | s[2]
                                             : Pixel{s[0]} * 0x010101u);
      }
    }
  }
  pclose(pipe);
  return image;
}

int channelDistance(Pixel a, Pixel b) {
  int worst = 0;
  for (int shift : {0, 8, 16}) {
    const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    worst = std::max(worst, d);
  }
  return worst;
}

void expectClose(const StillImage& have, const StillImage& want, int tolerance, const std::string& what) {
  ASSERT_EQ(have.size.width, want.size.width) << what;
  ASSERT_EQ(have.size.height, want.size.height) << what;
  ASSERT_EQ(have.pixels.size(), want.pixels.size()) << what;
  for (std::size_t i = 0; i < have.pixels.size(); ++i) {
    ASSERT_LE(channelDistance(have.pixels[i], want.pixels[i]), tolerance)
        << what << ": pixel " << i % want.size.width << "," << i / want.size.width << " have 0x"
        << std::hex << have.pixels[i] << " want 0x" << want.pixels[i];
  }
}

// Counts the rows it is given and can refuse the picture.
class CountingSink final : public RowSink {
 public:
  explicit CountingSink(bool accept = true) : accept_(accept) {}
  bool begin(std::uint32_t, std::uint32_t height) override {
    seen_.assign(height, 0);
    return accept_;
  }
  void row(std::uint32_t y, std::span<const Pixel>) override { ++seen_.at(y); }
  bool everyRowOnce() const {
    return std::all_of(seen_.begin(), seen_.end(), [](int n) { return n == 1; });
  }
  int rows() const { return static_cast<int>(std::count(seen_.begin(), seen_.end(), 1)); }

 private:
  bool accept_;
  std::vector<int> seen_;
};

TEST(JpegDecoder, MatchesReferenceDecoders) {
  struct Case {
    const char* name;
    JpegRecipe recipe;
    const char* reference;  // command after which the file's path follows
    int tolerance;
  };
  const Case cases[] = {
      {"grey", {37, 21, Colours::Grey, {}}, "djpeg -pnm", 0},
      {"ycbcr", {37, 21, Colours::YCbCr, {}}, "djpeg -pnm", 0},
      {"ycbcr-progressive", {64, 9, Colours::YCbCr, progressiveScans(12)}, "djpeg -pnm", 0},
      {"adobe-cmyk", {37, 21, Colours::AdobeCmyk, {}}, "convert -colorspace sRGB", 1},
      {"ycck", {37, 21, Colours::Ycck, {}}, "convert -colorspace sRGB", 1},
  };
  for (const Case& c : cases) {
    const ByteBuffer bytes = encodeJpeg(c.recipe);
    const auto path = writeTemp(std::string(c.name) + ".jpg", bytes);
    const bool magick = std::string(c.reference).starts_with("convert");
    const std::string command = magick ? "convert '" + path.string() + "' -colorspace sRGB -depth 8 ppm:-"
                                       : std::string(c.reference) + " '" + path.string() + "'";
    const StillImage want = readPnmFrom(command);
    ASSERT_FALSE(want.pixels.empty()) << c.name << ": no reference from " << command;
    FullSizeSink sink;
    ASSERT_EQ(decodeJpeg(bytes, sink), DecodeStatus::Ok) << c.name;
    expectClose(sink.image(), want, c.tolerance, c.name);
  }
}

TEST(JpegDecoder, GreyFileGivesGreyPixels) {
  const ByteBuffer bytes = encodeJpeg({16, 16, Colours::Grey, {}});
  FullSizeSink sink;
  ASSERT_EQ(decodeJpeg(bytes, sink), DecodeStatus::Ok);
  for (const Pixel p : sink.image().pixels) {
    ASSERT_EQ(p & 0xFF, (p >> 8) & 0xFF);
    ASSERT_EQ(p & 0xFF, (p >> 16) & 0xFF);
    ASSERT_EQ(p >> 24, 0u);
  }
}

// A file the library rejects gives nothing; data that ends inside the image is
// only a warning: every row arrives, the missing part grey.
TEST(JpegDecoder, DamagedFiles) {
  const ByteBuffer good = encodeJpeg({64, 64, Colours::YCbCr, {}});
  std::size_t sofAt = 0;  // the SOF0 marker
  for (std::size_t i = 0; i + 1 < good.size(); ++i) {
    if (good[i] == 0xFF && good[i + 1] == 0xC0) {
      sofAt = i;
      break;
    }
  }
  ASSERT_NE(sofAt, 0u);
  struct Case {
    const char* name;
    std::size_t keep;                    // bytes kept from the start
    std::vector<std::pair<std::size_t, std::uint8_t>> patches;
    bool decodes;
  };
  const Case cases[] = {
      {"only the signature", 2, {}, false},
      {"cut inside the headers", sofAt + 6, {}, false},
      {"12-bit precision", good.size(), {{sofAt + 4, 12}}, false},
      {"zero width", good.size(), {{sofAt + 7, 0}, {sofAt + 8, 0}}, false},
      {"no end marker", good.size() - 2, {}, true},
      {"cut in the image data", good.size() * 3 / 4, {}, true},
  };
  for (const Case& c : cases) {
    ByteBuffer bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(c.keep));
    for (const auto& [at, value] : c.patches) bytes[at] = value;
    CountingSink sink;
    const DecodeStatus status = decodeJpeg(bytes, sink);
    if (c.decodes) {
      EXPECT_EQ(status, DecodeStatus::Ok) << c.name;
      EXPECT_TRUE(sink.everyRowOnce()) << c.name;
    } else {
      EXPECT_NE(status, DecodeStatus::Ok) << c.name;
    }
  }
}

TEST(JpegDecoder, ProgressiveScanLimit) {
  for (const int scans : {kMaxJpegScans, kMaxJpegScans + 1}) {
    const ByteBuffer bytes = encodeJpeg({16, 16, Colours::YCbCr, progressiveScans(scans)});
    CountingSink sink;
    const DecodeStatus status = decodeJpeg(bytes, sink);
    if (scans <= kMaxJpegScans) {
      EXPECT_EQ(status, DecodeStatus::Ok) << scans << " scans";
      EXPECT_TRUE(sink.everyRowOnce()) << scans << " scans";
    } else {
      EXPECT_EQ(status, DecodeStatus::OverLimit) << scans << " scans";
      EXPECT_EQ(sink.rows(), 0) << scans << " scans";
    }
  }
}

// A progressive header claiming 30000 x 30000 pixels (within the pixel limit)
// would need a coefficient buffer of gigabytes: refused before allocating it.
// A baseline file of that size only streams, so the library takes it.
TEST(JpegDecoder, WorkingMemoryBound) {
  ByteBuffer bytes = encodeJpeg({16, 16, Colours::YCbCr, progressiveScans(4)});
  std::size_t sofAt = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC2) {
      sofAt = i;
      break;
    }
  }
  ASSERT_NE(sofAt, 0u);
  const std::uint16_t side = 30000;
  for (const std::size_t at : {sofAt + 5, sofAt + 7}) {
    bytes[at] = static_cast<std::uint8_t>(side >> 8);
    bytes[at + 1] = static_cast<std::uint8_t>(side & 0xFF);
  }
  CountingSink sink;
  EXPECT_EQ(decodeJpeg(bytes, sink), DecodeStatus::OverLimit);
  EXPECT_EQ(sink.rows(), 0);
}

TEST(JpegDecoder, RefusedBySinkOrPastPictureLimits) {
  ByteBuffer bytes = encodeJpeg({16, 16, Colours::YCbCr, {}});
  CountingSink refusing(false);
  EXPECT_NE(decodeJpeg(bytes, refusing), DecodeStatus::Ok);
  EXPECT_EQ(refusing.rows(), 0);
  EXPECT_NE(decodeJpeg({}, refusing), DecodeStatus::Ok);

  // 65000 x 65000 is past the pixel limit: refused before anything is decoded.
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
      for (const std::size_t at : {i + 5, i + 7}) {
        bytes[at] = 65000 >> 8;
        bytes[at + 1] = 65000 & 0xFF;
      }
      break;
    }
  }
  CountingSink sink;
  EXPECT_EQ(decodeJpeg(bytes, sink), DecodeStatus::OverLimit);
  EXPECT_EQ(sink.rows(), 0);
}

}  // namespace
}  // namespace moxilo
