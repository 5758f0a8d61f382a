#pragma once
// A parsed skin with the GDI objects that painting needs, made once per skin
// and shared by every paint, so no paint creates brushes, pens or fonts.
#include <windows.h>

#include <memory>

#include "base/scoped_gdi_win.h"
#include "skinh/skin_format.h"

namespace moxilo::skinh {

using ScopedPen = ScopedGdiObject<HPEN>;

inline COLORREF toColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

class SkinTheme {
 public:
  explicit SkinTheme(Skin skin);

  const Skin& skin() const { return skin_; }
  // Distinguishes themes in paint caches; never reused within a run.
  unsigned id() const { return id_; }

  HBRUSH faceBrush() const { return faceBrush_.get(); }
  HPEN buttonBorderPen() const { return buttonBorderPen_.get(); }
  HPEN buttonFocusPen() const { return buttonFocusPen_.get(); }
  HPEN groupBorderPen() const { return groupBorderPen_.get(); }
  HFONT captionFont() const { return captionFont_.get(); }

 private:
  Skin skin_;
  unsigned id_;
  ScopedBrush faceBrush_;
  ScopedPen buttonBorderPen_;
  ScopedPen buttonFocusPen_;
  ScopedPen groupBorderPen_;
  ScopedFont captionFont_;
};

using ThemePtr = std::shared_ptr<const SkinTheme>;

}  // namespace moxilo::skinh
