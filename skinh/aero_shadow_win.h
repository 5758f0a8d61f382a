#pragma once
// The Aero shadow of a skinned top-level window: a layered, click-through,
// never-activated popup owned by the window (so it follows its z-order), shaped
// so that it never covers the window itself.
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

  HWND target_;
  HWND window_ = nullptr;
  DibCanvas canvas_;
  unsigned renderedTheme_ = 0;
  SIZE renderedSize_{};
};

}  // namespace moxilo::skinh
