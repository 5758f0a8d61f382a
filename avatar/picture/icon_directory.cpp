#include "avatar/picture/icon_directory.h"

#include "avatar/picture/little_endian.h"
#include "avatar/picture/picture_limits.h"

namespace moxilo {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Signature, the IHDR chunk's length and type, then its width and height.
constexpr std::size_t kPngHeaderSize = 8 + 8 + 8;

bool isPng(ByteSpan image) {
  if (image.size() < sizeof kPngSignature) return false;
  for (std::size_t k = 0; k < sizeof kPngSignature; ++k) {
    if (image[k] != kPngSignature[k]) return false;
  }
  return true;
}

std::uint32_t readU32be(ByteSpan bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

// A PNG-compressed entry (as Vista-era icons hold) is sized by its IHDR: the
// full height, no mask to halve away, 32 bits per pixel.
DecodeStatus readPngImage(ByteSpan image, IconImage& icon) {
  if (image.size() < kPngHeaderSize) return DecodeStatus::Truncated;
  if (image[12] != 'I' || image[13] != 'H' || image[14] != 'D' || image[15] != 'R') {
    return DecodeStatus::Corrupt;
  }
  const std::uint32_t width = readU32be(image, 16);
  const std::uint32_t height = readU32be(image, 20);
  if (!withinPictureLimits(width, height)) return DecodeStatus::OverLimit;
  icon.width = static_cast<int>(width);
  icon.height = static_cast<int>(height);
  icon.bitCount = 32;
  return DecodeStatus::Ok;
}

DecodeStatus readBitmapImage(ByteSpan image, IconImage& icon) {
  if (image.size() < kInfoHeaderSize) return DecodeStatus::Truncated;
  if (readU32le(image, 0) < kInfoHeaderSize) return DecodeStatus::Unsupported;
  const std::int32_t width = readI32le(image, 4);
  // The header's height counts the colour image and the mask together.
  const std::int32_t height = readI32le(image, 8) / 2;
  if (width <= 0 || height <= 0) return DecodeStatus::Corrupt;
  if (!withinPictureLimits(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height))) {
    return DecodeStatus::OverLimit;
  }
  icon.width = width;
  icon.height = height;
  icon.bitCount = readU16le(image, 14);
  return DecodeStatus::Ok;
}

}  // namespace

DecodeStatus chooseIconEntry(ByteSpan bytes, std::uint32_t& index) {
  if (!fits(bytes, 0, kDirectoryHeaderSize)) return DecodeStatus::Truncated;
  const std::uint16_t type = readU16le(bytes, 2);
  const std::uint32_t count = readU16le(bytes, 4);
  if (readU16le(bytes, 0) != 0 || (type != 1 && type != 2) || count == 0) return DecodeStatus::Unsupported;
  if (!fits(bytes, kDirectoryHeaderSize, std::uint64_t{count} * kEntrySize)) return DecodeStatus::Truncated;
  index = count - 1;
  for (std::uint32_t k = 0; k < count; ++k) {
    const std::size_t entry = kDirectoryHeaderSize + k * kEntrySize;
    if (bytes[entry] == 32 && bytes[entry + 2] >= 16) {
      index = k;
      break;
    }
  }
  return DecodeStatus::Ok;
}

DecodeStatus readIconImage(ByteSpan bytes, IconImage& icon) {
  std::uint32_t index = 0;
  if (const DecodeStatus status = chooseIconEntry(bytes, index); status != DecodeStatus::Ok) return status;
  const std::size_t entry = kDirectoryHeaderSize + index * kEntrySize;
  const std::uint32_t size = readU32le(bytes, entry + 8);
  const std::uint32_t offset = readU32le(bytes, entry + 12);
  // An entry pointing outside the file gives nothing.
  if (!fits(bytes, offset, size)) return DecodeStatus::Truncated;
  const ByteSpan image = bytes.subspan(offset, size);
  const DecodeStatus status = isPng(image) ? readPngImage(image, icon) : readBitmapImage(image, icon);
  if (status != DecodeStatus::Ok) return status;
  icon.resource = image;
  return DecodeStatus::Ok;
}

}  // namespace moxilo
