#include "avatar/bmp_file_image.h"

#include <limits>

namespace moxilo {
namespace {

template <std::size_t N>
void putLe(std::array<std::uint8_t, N>& bytes, std::size_t at, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::optional<BmpLayout> bmpLayout(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  const std::uint64_t stride = ((24 * std::uint64_t(width) + 31) & ~std::uint64_t{31}) / 8;
  const std::uint64_t imageSize = stride * std::uint64_t(height);
  const std::uint64_t fileSize = kBmpPixelOffset + imageSize;
  if (fileSize > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return BmpLayout{std::uint32_t(stride), std::uint32_t(imageSize), std::uint32_t(fileSize)};
}

BmpInfoHeader bmpInfoHeader(std::int32_t width, std::int32_t height, std::uint32_t imageSize) {
  BmpInfoHeader header{};
  putLe(header, 0, kBmpInfoHeaderSize, 4);
  putLe(header, 4, std::uint32_t(width), 4);
  putLe(header, 8, std::uint32_t(height), 4);
  putLe(header, 12, 1, 2);   // planes
  putLe(header, 14, 24, 2);  // bits per pixel
  putLe(header, 20, imageSize, 4);
  return header;
}

BmpFileHeader bmpFileHeader(std::uint32_t infoAndRows) {
  BmpFileHeader header{};
  header[0] = 'B';
  header[1] = 'M';
  putLe(header, 2, kBmpFileHeaderSize + infoAndRows, 4);
  putLe(header, 10, kBmpPixelOffset, 4);
  return header;
}

}  // namespace moxilo
