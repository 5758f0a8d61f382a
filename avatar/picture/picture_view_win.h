#pragma once
// What the picture box shows: the decoded form of its bytes, painted stretched
// over the box, and the animation thread of an animated GIF.
#include <windows.h>

#include <memory>

#include "base/byte_buffer.h"

namespace moxilo {

class PictureView {
 public:
  // `box` is the window that animation frames are drawn into.
  explicit PictureView(HWND box);
  ~PictureView();  // stops a playing animation and waits for its thread
  PictureView(const PictureView&) = delete;
  PictureView& operator=(const PictureView&) = delete;

  // Stops a playing animation and waits for its thread, then decodes `bytes`
  // (empty: no picture). The bytes must stay alive and unchanged until the next
  // show() or the view's end: an icon or an animation keeps pointing into them.
  void show(ByteSpan bytes);

  // Draws the current picture stretched over the box's client area, on top of
  // the background the box has already filled. The first paint after show()
  // starts the animation thread of an animated picture.
  void paint(HDC dc);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace moxilo
