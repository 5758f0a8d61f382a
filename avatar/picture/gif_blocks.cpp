#include "avatar/picture/gif_blocks.h"

namespace moxilo {
namespace {

constexpr std::size_t kHeaderBytes = 13;  // signature and logical screen descriptor
constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImage = 0x2C;
constexpr std::uint8_t kGraphicControl = 0xF9;
constexpr int kDefaultDelayMs = 50;  // a delay of 0 would spin; players show 50 ms

std::uint32_t word(ByteSpan bytes, std::size_t at) {
  return bytes[at] | (std::uint32_t{bytes[at + 1]} << 8);
}

std::size_t colourTableBytes(std::uint8_t packed) {
  return (packed & 0x80) ? 3 * (std::size_t{2} << (packed & 0x07)) : 0;
}

// Skips a chain of sub-blocks starting at `at`; the offset after its zero
// terminator, or nullopt when the bytes end first.
std::optional<std::size_t> skipSubBlocks(ByteSpan bytes, std::size_t at) {
  while (at < bytes.size()) {
    const std::size_t length = bytes[at];
    if (length == 0) return at + 1;
    at += 1 + length;
  }
  return std::nullopt;
}

}  // namespace

std::optional<GifScreen> readGifScreen(ByteSpan bytes) {
  if (bytes.size() <= kHeaderBytes) return std::nullopt;
  GifScreen screen;
  screen.size = {static_cast<int>(word(bytes, 6)), static_cast<int>(word(bytes, 8))};
  const std::size_t tableBytes = colourTableBytes(bytes[10]);
  if (bytes.size() - kHeaderBytes < tableBytes) return std::nullopt;
  screen.globalColours = bytes.subspan(kHeaderBytes, tableBytes);
  screen.firstBlock = kHeaderBytes + tableBytes;
  if (screen.size.width == 0 || screen.size.height == 0) {
    const auto first = readGifFrame(bytes, screen, screen.firstBlock);
    if (!first) return std::nullopt;
    screen.size = {static_cast<int>(first->left + first->width),
                   static_cast<int>(first->top + first->height)};
    if (screen.size.width == 0 || screen.size.height == 0) return std::nullopt;
  }
  return screen;
}

std::optional<GifFrame> readGifFrame(ByteSpan bytes, const GifScreen& screen, std::size_t offset) {
  GifFrame frame;
  frame.delayMs = kDefaultDelayMs;
  std::size_t at = offset;
  while (at < bytes.size()) {
    const std::uint8_t introducer = bytes[at];
    if (introducer == kExtension) {
      if (bytes.size() - at < 2) return std::nullopt;
      const std::size_t data = at + 2;
      // Graphic control: block size 4, packed fields, delay, transparent index.
      if (bytes[at + 1] == kGraphicControl && data < bytes.size() && bytes[data] >= 4 &&
          bytes.size() - data > 4) {
        const std::uint8_t packed = bytes[data + 1];
        const unsigned disposal = (packed >> 2) & 0x07;
        frame.disposal = (disposal == 2 || disposal == 3) ? GifDisposal::RestoreUnder
                                                          : GifDisposal::Keep;
        const std::uint32_t delay = word(bytes, data + 2);
        frame.delayMs = delay == 0 ? kDefaultDelayMs : static_cast<int>(delay) * 10;
        frame.transparentIndex.reset();
        if (packed & 0x01) frame.transparentIndex = bytes[data + 4];
      }
      const auto next = skipSubBlocks(bytes, data);
      if (!next) return std::nullopt;
      at = *next;
      continue;
    }
    if (introducer != kImage) return std::nullopt;

    // Image descriptor: left, top, width, height, packed fields.
    if (bytes.size() - at < 10) return std::nullopt;
    frame.left = word(bytes, at + 1);
    frame.top = word(bytes, at + 3);
    frame.width = word(bytes, at + 5);
    frame.height = word(bytes, at + 7);
    const std::uint8_t packed = bytes[at + 9];
    frame.interlaced = (packed & 0x40) != 0;
    const std::size_t localBytes = colourTableBytes(packed);
    if (bytes.size() - (at + 10) < localBytes) return std::nullopt;
    frame.colours = localBytes ? bytes.subspan(at + 10, localBytes) : screen.globalColours;
    frame.dataStart = at + 10 + localBytes;
    // The code size byte, then the sub-blocks.
    frame.end = frame.dataStart < bytes.size()
                    ? skipSubBlocks(bytes, frame.dataStart + 1).value_or(bytes.size())
                    : bytes.size();
    return frame;
  }
  return std::nullopt;
}

std::uint32_t gifRowAt(const GifFrame& frame, std::uint32_t streamRow) {
  if (!frame.interlaced) return streamRow;
  const std::uint32_t h = frame.height;
  const std::uint32_t pass1 = (h + 7) / 8;
  if (streamRow < pass1) return streamRow * 8;
  streamRow -= pass1;
  const std::uint32_t pass2 = (h + 3) / 8;
  if (streamRow < pass2) return 4 + streamRow * 8;
  streamRow -= pass2;
  const std::uint32_t pass3 = (h + 1) / 4;
  if (streamRow < pass3) return 2 + streamRow * 4;
  streamRow -= pass3;
  return 1 + streamRow * 2;
}

GifPalette gifPalette(const GifFrame& frame) {
  GifPalette palette{};
  const std::size_t entries = frame.colours.size() / 3;
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint8_t* rgb = &frame.colours[3 * i];
    palette[i] = (Pixel{rgb[0]} << 16) | (Pixel{rgb[1]} << 8) | rgb[2];
  }
  if (frame.transparentIndex) palette[*frame.transparentIndex] = kGifTransparent;
  return palette;
}

}  // namespace moxilo
