#pragma once
// The Aero shadow of a skinned top-level window: a click-through,
// never-activated popup owned by the window (so it follows its z-order), shaped
// so that it never covers the window itself.
//
// Where the desktop composes windows (DWM), the shadow is a per-pixel-alpha
// layered window. Without composition (Wine's X11 driver, classic desktops)
// per-pixel alpha shows as an opaque black band, so there the shadow is drawn
// as an ordered-dither halftone: the window's shape (a region) keeps only the
// pixels of the halftone, which look like a soft shade over any background.
#include <windows.h>

#include "skinh/paint_tools_win.h"
#include "skinh/skin_theme_win.h"

namespace moxilo::skinh {

inline constexpr wchar_t kShadowClassName[] = L"MoxiloSkinShadow";

class AeroShadow {
 public:
  explicit AeroShadow(HWND target) : target_(target) {}
  ~AeroShadow();
  AeroShadow(const AeroShadow&) = delete;
  AeroShadow& operator=(const AeroShadow&) = delete;

  // Places the shadow around the target as it is now, or hides it when the
  // target is hidden or minimised.
  void follow(const SkinTheme& theme);
  void hide();
  // Destroys the shadow window (its owner is going away).
  void destroy();

 private:
  bool render(const SkinTheme& theme, int width, int height, int offset);
  bool create(bool layered);
  void placeLayered(POINT position);
  void placeHalftone(POINT position, COLORREF colour);

  HWND target_;
  HWND window_ = nullptr;
  DibCanvas canvas_;
  unsigned renderedTheme_ = 0;
  SIZE renderedSize_{};
  bool shapeCurrent_ = false;
};

}  // namespace moxilo::skinh
