#pragma once
// 图片框1: the picture box of the avatar area. A borderless child window of our
// own class that keeps the exact bytes last assigned and paints them stretched
// over its button-face background. The Badge is its child.
#include <windows.h>

#include <memory>

#include "base/byte_buffer.h"

namespace moxilo {

class PictureView;

class PictureBox {
 public:
  // Registers the window class once per process; false when that fails.
  static bool registerClass(HINSTANCE instance);

  // Creates the box as child `id` of `parent`. The window owns the object: it
  // is freed when the window is destroyed. Null when the window cannot be made.
  static PictureBox* create(HWND parent, int id, const RECT& bounds, bool visible);

  HWND window() const { return window_; }

  // A fresh copy of the bytes last assigned (empty: no picture).
  ByteBuffer pictureBytes() const;

  // Keeps a copy of `bytes`, shows what they decode to (nothing when they are
  // empty or no picture) and repaints the whole box.
  void setPictureBytes(ByteSpan bytes);

 private:
  explicit PictureBox(HWND window);
  ~PictureBox();
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void onPaint();

  HWND window_;
  HBRUSH background_;  // the button-face colour as it was at creation; owned
  ByteBuffer bytes_;
  std::unique_ptr<PictureView> view_;
};

}  // namespace moxilo
