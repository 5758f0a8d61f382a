#include "avatar/picture/pcx_decoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "avatar/picture/little_endian.h"
#include "avatar/picture/picture_limits.h"

namespace moxilo {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 1 + 256 * 3;  // the 0x0C marker and 256 RGB triples
constexpr std::uint8_t kPaletteMarker = 0x0C;

// The run-length stream of scanline bytes. Runs are read as one continuous
// stream: a run that crosses the end of a scanline goes on in the next one,
// as netpbm and ImageMagick read such files. A run past the last scanline
// is cut off, so nothing is written past a row or the image.
class RunLengthReader {
 public:
  explicit RunLengthReader(ByteSpan data) : data_(data) {}

  // Fills the scanline; false when the data ends first.
  bool fill(std::span<std::uint8_t> line) {
    std::size_t filled = 0;
    while (filled < line.size()) {
      if (runLeft_ == 0) {
        if (at_ >= data_.size()) return false;
        const std::uint8_t b = data_[at_++];
        if ((b & 0xC0) == 0xC0) {
          if (at_ >= data_.size()) return false;
          runLeft_ = b & 0x3F;
          runValue_ = data_[at_++];
        } else {
          runLeft_ = 1;
          runValue_ = b;
        }
        continue;
      }
      const std::size_t n = std::min<std::size_t>(runLeft_, line.size() - filled);
      std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(filled), n, runValue_);
      filled += n;
      runLeft_ -= static_cast<std::uint32_t>(n);
    }
    return true;
  }

 private:
  ByteSpan data_;
  std::size_t at_ = 0;
  std::uint32_t runLeft_ = 0;
  std::uint8_t runValue_ = 0;
};

}  // namespace

DecodeStatus decodePcx(ByteSpan bytes, RowSink& sink) {
  if (bytes.size() <= kHeaderSize) return DecodeStatus::Truncated;
  const std::uint32_t bitsPerPixel = bytes[3];
  const std::uint32_t planes = bytes[65];
  if (bytes[0] != 0x0A || bytes[2] != 1) return DecodeStatus::Unsupported;
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 8)) return DecodeStatus::Unsupported;
  const std::uint32_t left = readU16le(bytes, 4);
  const std::uint32_t top = readU16le(bytes, 6);
  const std::uint32_t right = readU16le(bytes, 8);
  const std::uint32_t bottom = readU16le(bytes, 10);
  if (right < left || bottom < top) return DecodeStatus::Corrupt;
  const std::uint32_t width = right - left + 1;
  const std::uint32_t height = bottom - top + 1;
  if (!withinPictureLimits(width, height)) return DecodeStatus::OverLimit;
  const std::uint32_t bytesPerLine = readU16le(bytes, 66);
  if (bytesPerLine < (std::uint64_t{width} * bitsPerPixel + 7) / 8) return DecodeStatus::Corrupt;

  std::array<Pixel, 256> palette{};
  ByteSpan data = bytes.subspan(kHeaderSize);
  if (bitsPerPixel == 8) {
    if (bytes.size() < kHeaderSize + kPaletteSize) return DecodeStatus::Truncated;
    const std::size_t marker = bytes.size() - kPaletteSize;
    if (bytes[marker] != kPaletteMarker) return DecodeStatus::Corrupt;
    for (std::size_t k = 0; k < palette.size(); ++k) {
      const std::uint8_t* rgb = &bytes[marker + 1 + 3 * k];
      palette[k] = (Pixel{rgb[0]} << 16) | (Pixel{rgb[1]} << 8) | rgb[2];
    }
    data = bytes.subspan(kHeaderSize, marker - kHeaderSize);
  } else {
    // One bit per pixel: a set bit is white, a clear bit black; the header's
    // 16-colour palette plays no part.
    palette[1] = 0xFFFFFF;
  }

  if (!sink.begin(width, height)) return DecodeStatus::OverLimit;
  RunLengthReader reader(data);
  std::vector<std::uint8_t> line(bytesPerLine);
  std::vector<Pixel> pixels(width);
  for (std::uint32_t y = 0; y < height; ++y) {
    if (!reader.fill(line)) return DecodeStatus::Truncated;
    if (bitsPerPixel == 8) {
      for (std::uint32_t x = 0; x < width; ++x) pixels[x] = palette[line[x]];
    } else {
      for (std::uint32_t x = 0; x < width; ++x) pixels[x] = palette[(line[x >> 3] >> (7 - (x & 7))) & 1];
    }
    sink.row(y, pixels);
  }
  return DecodeStatus::Ok;
}

}  // namespace moxilo
