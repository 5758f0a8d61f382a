#pragma once
// Small drawing helpers shared by the frame and control painters.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>

#include "base/scoped_gdi_win.h"
#include "skinh/skin_format.h"

namespace moxilo::skinh {

// A vertical gradient through the stops, top to bottom.
void fillGradient(HDC dc, const RECT& rect, const Gradient& gradient);

// Paints the pixels of `rect` that lie outside its corners rounded by
// `radius`, so that a rectangle painted before looks rounded.
void fillOutsideCorners(HDC dc, const RECT& rect, int radius, HBRUSH brush);

// A 32-bit top-down DIB section with its own memory DC: GDI draws into it and
// the effects (gloss, glow, shadow) work on its pixels directly.
class DibCanvas {
 public:
  DibCanvas() = default;
  ~DibCanvas() {
    if (dc_ && originalBitmap_) SelectObject(dc_.get(), originalBitmap_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  // Makes the canvas width x height; keeps the bitmap when the size fits.
  bool resize(int width, int height);
  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Call GdiFlush() before touching pixels that GDI drew.
  std::uint32_t* pixels() const { return pixels_; }

 private:
  struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
  };
  std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> dc_;
  ScopedBitmap bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Blends `colour` over a band of the canvas with an alpha that runs from
// alphaTop on its first row to alphaBottom on its last (0..255).
void blendBand(DibCanvas& canvas, const RECT& band, Rgb colour, int alphaTop, int alphaBottom);

// Draws `text` with a soft halo of `glow` behind it, as on glass: the text's
// shape is blurred and blended first, then the text is drawn on top.
void drawGlowingText(DibCanvas& canvas, const wchar_t* text, int length, const RECT& rect, UINT format,
                     HFONT font, COLORREF textColour, Rgb glow);

}  // namespace moxilo::skinh
