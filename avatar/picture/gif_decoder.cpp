#include "avatar/picture/gif_decoder.h"

#include <algorithm>
#include <vector>

#include "avatar/picture/gif_blocks.h"
#include "avatar/picture/gif_frame_decoder.h"
#include "avatar/picture/picture_limits.h"

namespace moxilo {
namespace {

constexpr std::uint8_t kTrailer = 0x3B;
constexpr Pixel kWhite = 0x00FFFFFF;

}  // namespace

bool isGifStill(ByteSpan bytes) {
  const auto screen = readGifScreen(bytes);
  if (!screen) return false;
  const auto first = readGifFrame(bytes, *screen, screen->firstBlock);
  if (!first) return false;
  const std::size_t rest = bytes.size() - first->end;
  return rest == 0 || (rest == 1 && bytes[first->end] == kTrailer);
}

// Damaged image data (cut short, or an LZW code that makes no sense): the rows
// decoded before the damage are shown, the rest of the picture stays white.
DecodeStatus decodeGifStill(ByteSpan bytes, RowSink& sink) {
  const auto screen = readGifScreen(bytes);
  if (!screen) return DecodeStatus::Truncated;
  const auto frame = readGifFrame(bytes, *screen, screen->firstBlock);
  if (!frame) return DecodeStatus::Truncated;
  const auto width = static_cast<std::uint32_t>(screen->size.width);
  const auto height = static_cast<std::uint32_t>(screen->size.height);
  if (!withinPictureLimits(width, height)) return DecodeStatus::OverLimit;
  // The image's own pixels cost decoding time even where they are clipped.
  if (std::uint64_t{frame->width} * frame->height > kMaxPicturePixels) {
    return DecodeStatus::OverLimit;
  }
  if (!sink.begin(width, height)) return DecodeStatus::OverLimit;

  const std::vector<Pixel> white(width, kWhite);
  std::vector<bool> sent(height, false);
  auto send = [&](std::uint32_t y, std::span<const Pixel> pixels) {
    sink.row(y, pixels);
    sent[y] = true;
  };
  const std::uint32_t top = frame->top < height ? frame->top : height;
  for (std::uint32_t y = 0; y < top; ++y) send(y, white);

  if (frame->left < width) {
    const GifPalette palette = gifPalette(*frame);
    std::vector<Pixel> row(width);
    const std::span<Pixel> visible = std::span(row).subspan(frame->left);
    GifFrameDecoder decoder(bytes, *frame);
    for (std::uint32_t i = 0; i < frame->height; ++i) {
      const std::uint32_t y = frame->top + gifRowAt(*frame, i);
      // Rows come top-down when not interlaced: none further down is visible.
      if (y >= height && !frame->interlaced) break;
      const auto indices = decoder.nextRow();
      if (indices.empty()) break;
      if (y >= height) continue;
      std::ranges::copy(white, row.begin());
      drawGifRow(visible, indices, palette);
      send(y, row);
    }
  }
  for (std::uint32_t y = 0; y < height; ++y) {
    if (!sent[y]) send(y, white);
  }
  return DecodeStatus::Ok;
}

}  // namespace moxilo
