#pragma once
// A playing GIF animation: one canvas of the logical screen's size and the
// position of the next frame in the compressed bytes. Each frame's image data is
// decoded when the frame is due, so memory does not grow with the frame count.
#include <cstdint>
#include <memory>
#include <span>

#include "avatar/picture/decoded_picture.h"

namespace moxilo {

class GifAnimation {
 public:
  // nullptr when the bytes hold no image, the logical screen is past
  // kMaxCanvasPixels, or the header is cut short. `bytes` must outlive the
  // animation. On success the first frame is already drawn on the canvas.
  static std::unique_ptr<GifAnimation> create(ByteSpan bytes);

  ~GifAnimation();
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;

  int frameCount() const;
  Size size() const;  // the logical screen, the canvas's size
  // The canvas as it stands after the current frame: size().width *
  // size().height pixels, top-down, 0x00RRGGBB.
  std::span<const Pixel> canvas() const;
  // How long the current frame stays, in milliseconds (a delay of 0 means 50).
  int currentDelayMs() const;

  // Takes the current frame off when its disposal asks for it, draws the next
  // frame (after the last one, the first again, on the same canvas) and returns
  // that frame's delay in milliseconds.
  int advance();

 private:
  struct State;
  explicit GifAnimation(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace moxilo
