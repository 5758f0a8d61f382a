#include "avatar/picture/gif_animation.h"

#include <algorithm>

#include "avatar/picture/gif_blocks.h"
#include "avatar/picture/gif_frame_decoder.h"
#include "avatar/picture/picture_limits.h"

namespace moxilo {
namespace {

constexpr Pixel kWhite = 0x00FFFFFF;

// The part of a frame that lies on the canvas.
struct Clip {
  std::uint32_t left = 0;
  std::uint32_t top = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

Clip clipFrame(const GifFrame& frame, Size canvas) {
  const auto w = static_cast<std::uint32_t>(canvas.width);
  const auto h = static_cast<std::uint32_t>(canvas.height);
  Clip clip;
  clip.left = std::min(frame.left, w);
  clip.top = std::min(frame.top, h);
  clip.width = std::min(frame.width, w - clip.left);
  clip.height = std::min(frame.height, h - clip.top);
  return clip;
}

}  // namespace

struct GifAnimation::State {
  ByteSpan bytes;
  GifScreen screen;
  std::vector<Pixel> canvas;
  int frameCount = 0;
  GifFrame current;
  // What lay under the current frame, kept while its disposal asks for it.
  Clip underClip;
  std::vector<Pixel> under;

  void draw(const GifFrame& frame);
  void takeOff();
};

// A frame's pixels past the decoding limit are not decoded at all; damaged
// image data (cut short, or an LZW code that makes no sense) draws the rows
// decoded before the damage and leaves the rest of the frame's area as it was.
// Either way the frame's delay and disposal apply as usual.
void GifAnimation::State::draw(const GifFrame& frame) {
  current = frame;
  const Clip clip = clipFrame(frame, screen.size);
  const auto canvasWidth = static_cast<std::size_t>(screen.size.width);
  underClip = {};
  under.clear();
  if (clip.width == 0 || clip.height == 0) return;
  if (frame.disposal == GifDisposal::RestoreUnder) {
    underClip = clip;
    under.resize(std::size_t{clip.width} * clip.height);
    for (std::uint32_t y = 0; y < clip.height; ++y) {
      const Pixel* from = &canvas[(clip.top + y) * canvasWidth + clip.left];
      std::copy(from, from + clip.width, &under[std::size_t{y} * clip.width]);
    }
  }
  if (std::uint64_t{frame.width} * frame.height > kMaxCanvasPixels) return;

  const GifPalette palette = gifPalette(frame);
  GifFrameDecoder decoder(bytes, frame);
  const std::uint32_t canvasHeight = static_cast<std::uint32_t>(screen.size.height);
  for (std::uint32_t i = 0; i < frame.height; ++i) {
    const std::uint32_t y = frame.top + gifRowAt(frame, i);
    if (y >= canvasHeight && !frame.interlaced) break;
    const auto indices = decoder.nextRow();
    if (indices.empty()) break;
    if (y >= canvasHeight) continue;
    drawGifRow(std::span(&canvas[y * canvasWidth + clip.left], clip.width), indices, palette);
  }
}

void GifAnimation::State::takeOff() {
  const auto canvasWidth = static_cast<std::size_t>(screen.size.width);
  for (std::uint32_t y = 0; y < underClip.height; ++y) {
    const Pixel* from = &under[std::size_t{y} * underClip.width];
    std::copy(from, from + underClip.width,
              &canvas[(underClip.top + y) * canvasWidth + underClip.left]);
  }
  underClip = {};
  under.clear();
}

std::unique_ptr<GifAnimation> GifAnimation::create(ByteSpan bytes) {
  auto state = std::make_unique<State>();
  state->bytes = bytes;
  const auto screen = readGifScreen(bytes);
  if (!screen) return nullptr;
  state->screen = *screen;
  const auto first = readGifFrame(bytes, *screen, screen->firstBlock);
  if (!first) return nullptr;
  const auto width = static_cast<std::uint64_t>(screen->size.width);
  const auto height = static_cast<std::uint64_t>(screen->size.height);
  if (width * height > kMaxCanvasPixels) return nullptr;

  // Every frame takes at least its 10-byte descriptor, so this walk is bounded
  // by the bytes; only the count is kept.
  for (auto frame = first; frame; frame = readGifFrame(bytes, *screen, frame->end)) {
    ++state->frameCount;
  }
  state->canvas.assign(width * height, kWhite);
  state->draw(*first);
  return std::unique_ptr<GifAnimation>(new GifAnimation(std::move(state)));
}

GifAnimation::GifAnimation(std::unique_ptr<State> state) : state_(std::move(state)) {}
GifAnimation::~GifAnimation() = default;

int GifAnimation::frameCount() const { return state_->frameCount; }
Size GifAnimation::size() const { return state_->screen.size; }
std::span<const Pixel> GifAnimation::canvas() const { return state_->canvas; }
int GifAnimation::currentDelayMs() const { return state_->current.delayMs; }

int GifAnimation::advance() {
  State& s = *state_;
  s.takeOff();
  auto next = readGifFrame(s.bytes, s.screen, s.current.end);
  if (!next) next = readGifFrame(s.bytes, s.screen, s.screen.firstBlock);
  s.draw(*next);
  return s.current.delayMs;
}

}  // namespace moxilo
