#include "avatar/picture/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "avatar/picture/little_endian.h"
#include "avatar/picture/picture_limits.h"

namespace moxilo {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

struct BmpLayout {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool topDown = false;
  std::uint32_t bitCount = 0;
  std::uint64_t paletteOffset = 0;
  std::uint64_t paletteEntries = 0;
  std::uint64_t pixelOffset = 0;
  std::uint64_t stride = 0;
};

bool supportedBitCount(std::uint32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

DecodeStatus readLayout(ByteSpan bytes, BmpLayout& layout) {
  if (!fits(bytes, 0, kFileHeaderSize + kInfoHeaderSize)) return DecodeStatus::Truncated;
  const std::uint32_t headerSize = readU32le(bytes, kFileHeaderSize);
  // Smaller headers (the 12-byte core header) are not taken. A larger one
  // (V4, V5) starts with the same 40 bytes; its colour table follows the
  // whole header.
  if (headerSize < kInfoHeaderSize) return DecodeStatus::Unsupported;
  const std::int32_t width = readI32le(bytes, 18);
  const std::int32_t height = readI32le(bytes, 22);
  layout.bitCount = readU16le(bytes, 28);
  const std::uint32_t compression = readU32le(bytes, 30);
  const std::uint32_t coloursUsed = readU32le(bytes, 46);
  if (compression != 0 || !supportedBitCount(layout.bitCount)) return DecodeStatus::Unsupported;
  if (width <= 0 || height == 0 || height == INT32_MIN) return DecodeStatus::Corrupt;
  layout.width = static_cast<std::uint32_t>(width);
  layout.topDown = height < 0;
  layout.height = static_cast<std::uint32_t>(layout.topDown ? -height : height);
  if (!withinPictureLimits(layout.width, layout.height)) return DecodeStatus::OverLimit;

  layout.paletteOffset = kFileHeaderSize + std::uint64_t{headerSize};
  if (layout.bitCount <= 8) {
    layout.paletteEntries = coloursUsed != 0 ? coloursUsed : (std::uint64_t{1} << layout.bitCount);
  }
  const std::uint64_t paletteEnd = layout.paletteOffset + 4 * layout.paletteEntries;
  layout.pixelOffset = readU32le(bytes, 10);
  // Pixels that would start inside the headers or the colour table.
  if (layout.pixelOffset < paletteEnd) return DecodeStatus::Corrupt;
  layout.stride = (std::uint64_t{layout.width} * layout.bitCount + 31) / 32 * 4;
  if (!fits(bytes, layout.pixelOffset, layout.stride * layout.height)) return DecodeStatus::Truncated;
  return DecodeStatus::Ok;
}

// Turns one stored row into pixels.
class RowReader {
 public:
  RowReader(ByteSpan bytes, const BmpLayout& layout) : layout_(layout), pixels_(layout.width) {
    palette_.fill(0);
    // Indices past the table's end stay black.
    const std::uint64_t entries = std::min<std::uint64_t>(layout.paletteEntries, palette_.size());
    for (std::uint64_t k = 0; k < entries; ++k) {
      const std::size_t at = static_cast<std::size_t>(layout.paletteOffset + 4 * k);
      palette_[k] = (Pixel{bytes[at + 2]} << 16) | (Pixel{bytes[at + 1]} << 8) | bytes[at];
    }
  }

  std::span<const Pixel> read(const std::uint8_t* row) {
    const std::uint32_t width = layout_.width;
    switch (layout_.bitCount) {
      case 1:
        for (std::uint32_t x = 0; x < width; ++x) pixels_[x] = palette_[(row[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case 4:
        for (std::uint32_t x = 0; x < width; ++x) {
          pixels_[x] = palette_[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
        }
        break;
      case 8:
        for (std::uint32_t x = 0; x < width; ++x) pixels_[x] = palette_[row[x]];
        break;
      default: {
        // 24 and 32 bits store blue, green, red; the fourth byte of a 32-bit
        // pixel is ignored.
        const std::size_t step = layout_.bitCount / 8;
        for (std::uint32_t x = 0; x < width; ++x, row += step) {
          pixels_[x] = (Pixel{row[2]} << 16) | (Pixel{row[1]} << 8) | row[0];
        }
        break;
      }
    }
    return pixels_;
  }

 private:
  const BmpLayout& layout_;
  std::array<Pixel, 256> palette_;
  std::vector<Pixel> pixels_;
};

}  // namespace

DecodeStatus decodeBmp(ByteSpan bytes, RowSink& sink) {
  BmpLayout layout;
  if (const DecodeStatus status = readLayout(bytes, layout); status != DecodeStatus::Ok) return status;
  if (!sink.begin(layout.width, layout.height)) return DecodeStatus::OverLimit;
  RowReader reader(bytes, layout);
  for (std::uint32_t k = 0; k < layout.height; ++k) {
    const std::uint8_t* stored = bytes.data() + layout.pixelOffset + k * layout.stride;
    // Bottom-up files store the lowest row first; top-down files show upright.
    const std::uint32_t y = layout.topDown ? k : layout.height - 1 - k;
    sink.row(y, reader.read(stored));
  }
  return DecodeStatus::Ok;
}

}  // namespace moxilo
