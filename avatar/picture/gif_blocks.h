#pragma once
// The block structure of a GIF: its logical screen and, one at a time, its
// images with the graphic control that applies to each. Reads only what it
// needs, every read checked against the bytes; image data stays compressed.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "avatar/picture/decoded_picture.h"

namespace moxilo {

struct GifScreen {
  // The canvas: the logical screen, or when that has a zero side the first
  // image's right and bottom edges (a few encoders leave the screen blank).
  Size size;
  ByteSpan globalColours;  // 3 bytes an entry; empty without a global table
  std::size_t firstBlock = 0;
};

enum class GifDisposal { Keep, RestoreUnder };

struct GifFrame {
  std::uint32_t left = 0;
  std::uint32_t top = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool interlaced = false;
  ByteSpan colours;  // the local table, else the global one; may be empty
  std::optional<std::uint8_t> transparentIndex;
  GifDisposal disposal = GifDisposal::Keep;
  int delayMs = 0;
  // The image data: the LZW code size byte and its sub-blocks, as far as the
  // bytes go (data cut short is decoded as far as it goes).
  std::size_t dataStart = 0;
  std::size_t end = 0;  // the first byte after this image's blocks
};

// The header and the logical screen with its global table; nullopt for 13 bytes
// or fewer, a global table cut short, or a blank screen without a first image.
std::optional<GifScreen> readGifScreen(ByteSpan bytes);

// The next image at or after `offset`, with the graphic control extension that
// precedes it. nullopt where the stream ends: the trailer 0x3B, a zero byte (or
// any byte that starts no known block) where a block should start, the end of
// the bytes, or a block before the image's data that is cut short.
std::optional<GifFrame> readGifFrame(ByteSpan bytes, const GifScreen& screen, std::size_t offset);

// The canvas row of the `streamRow`th row of a frame's image data: interlaced
// images store every 8th row from 0, every 8th from 4, every 4th from 2, then
// every 2nd from 1.
std::uint32_t gifRowAt(const GifFrame& frame, std::uint32_t streamRow);

// A frame's colours by index. Indices past the end of the table (or with no
// table at all) draw black; the transparent index is kGifTransparent.
inline constexpr Pixel kGifTransparent = 0xFF000000u;
using GifPalette = std::array<Pixel, 256>;
GifPalette gifPalette(const GifFrame& frame);

}  // namespace moxilo
