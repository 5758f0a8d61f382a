#pragma once
// Decodes one GIF image's LZW data with giflib, row by row, straight from the
// file's bytes: giflib reads a small made-up stream of a screen the image's size,
// the image at 0,0, and then the image's own data.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "avatar/picture/gif_blocks.h"

struct GifFileType;

namespace moxilo {

class GifFrameDecoder {
 public:
  GifFrameDecoder(ByteSpan bytes, const GifFrame& frame);
  ~GifFrameDecoder();
  GifFrameDecoder(const GifFrameDecoder&) = delete;
  GifFrameDecoder& operator=(const GifFrameDecoder&) = delete;

  // The colour indices of the next row in the data's order (gifRowAt() tells
  // its place); empty once the data is damaged or has ended, or after the last
  // row.
  std::span<const std::uint8_t> nextRow();

  // A giflib read callback: copies up to `count` bytes of the made-up stream.
  int read(std::uint8_t* out, int count);

 private:
  // The stream giflib reads, as pieces: the made-up header, then the image
  // data. A last sub-block cut short by the end of the bytes gets its length
  // byte replaced by the count that is there and a terminator appended, so
  // every byte that arrived is decoded.
  std::array<ByteSpan, 5> pieces_;
  std::size_t pieceCount_ = 0;
  std::size_t piece_ = 0;
  std::size_t pieceOffset_ = 0;
  std::array<std::uint8_t, 22> header_ = {};
  std::uint8_t cutLength_ = 0;
  std::uint8_t terminator_ = 0;

  GifFileType* gif_ = nullptr;
  std::uint32_t width_ = 0;
  std::uint32_t rowsLeft_ = 0;
  std::vector<std::uint8_t> row_;
};

// Draws a row of indices onto a canvas row: `canvasRow` starts at the frame's
// left edge and is already clipped to the canvas; transparent pixels are left.
inline void drawGifRow(std::span<Pixel> canvasRow, std::span<const std::uint8_t> indices,
                       const GifPalette& palette) {
  const std::size_t n = canvasRow.size() < indices.size() ? canvasRow.size() : indices.size();
  for (std::size_t x = 0; x < n; ++x) {
    const Pixel p = palette[indices[x]];
    if (p != kGifTransparent) canvasRow[x] = p;
  }
}

}  // namespace moxilo
