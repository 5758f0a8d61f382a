#pragma once
// The layout of a BmpFileImage: one whole 24-bit BMP file held in memory, a
// 14-byte file header, a 40-byte information header and the pixel rows, bottom
// row first, with no colour table. All numbers little-endian.
#include <array>
#include <cstdint>
#include <optional>

namespace moxilo {

inline constexpr std::uint32_t kBmpFileHeaderSize = 14;
inline constexpr std::uint32_t kBmpInfoHeaderSize = 40;
inline constexpr std::uint32_t kBmpPixelOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;

using BmpFileHeader = std::array<std::uint8_t, kBmpFileHeaderSize>;
using BmpInfoHeader = std::array<std::uint8_t, kBmpInfoHeaderSize>;

struct BmpLayout {
  std::uint32_t stride;     // bytes of one stored row: 3 per pixel, padded to 4
  std::uint32_t imageSize;  // stride x height
  std::uint32_t fileSize;   // headers plus rows
};

// Null when a side is not positive or the file would not fit the 32-bit size
// fields.
std::optional<BmpLayout> bmpLayout(std::int32_t width, std::int32_t height);

// 40, width, height (positive: bottom-up), 1 plane, 24 bits, uncompressed, the
// given image size, then resolutions and colour counts all 0.
BmpInfoHeader bmpInfoHeader(std::int32_t width, std::int32_t height, std::uint32_t imageSize);

// "BM", the file size (this header plus `infoAndRows`, the information header
// and the rows that follow it), two reserved zeros and the pixel offset 54.
BmpFileHeader bmpFileHeader(std::uint32_t infoAndRows);

}  // namespace moxilo
