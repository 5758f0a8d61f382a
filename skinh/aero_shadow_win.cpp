#include "skinh/aero_shadow_win.h"

#include <algorithm>
#include <cmath>

namespace moxilo::skinh {
namespace {

constexpr int kShadowPeakAlpha = 96;

extern "C" IMAGE_DOS_HEADER __ImageBase;
HINSTANCE thisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

LRESULT CALLBACK shadowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool registerShadowClass() {
  static const bool registered = [] {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = shadowProc;
    cls.hInstance = thisModule();
    cls.lpszClassName = kShadowClassName;
    return RegisterClassExW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

// Distance from (x, y) to the rectangle, 0 inside it.
double distanceTo(const RECT& r, int x, int y) {
  const double dx = std::max({double(r.left) - x - 0.5, 0.0, x + 0.5 - double(r.right)});
  const double dy = std::max({double(r.top) - y - 0.5, 0.0, y + 0.5 - double(r.bottom)});
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

AeroShadow::~AeroShadow() { destroy(); }

void AeroShadow::destroy() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

void AeroShadow::hide() {
  if (window_) ShowWindow(window_, SW_HIDE);
}

bool AeroShadow::render(const SkinTheme& theme, int width, int height, int offset) {
  const Skin& skin = theme.skin();
  const int size = skin.aeroShadowSize;
  if (renderedTheme_ == theme.id() && renderedSize_.cx == width && renderedSize_.cy == height) return true;
  if (!canvas_.resize(width + 2 * size, height + 2 * size)) return false;
  // The shape casting the shadow is the window moved down by `offset`; the
  // window itself stays clear (alpha 0) so nothing is ever drawn over it.
  const RECT caster{size, size, size + width, size + height};
  const RECT hole{size, size - offset, size + width, size + height - offset};
  for (int y = 0; y < canvas_.height(); ++y) {
    std::uint32_t* row = canvas_.pixels() + static_cast<std::size_t>(y) * canvas_.width();
    for (int x = 0; x < canvas_.width(); ++x) {
      const POINT p{x, y};
      double fade = PtInRect(&hole, p) ? 0.0 : 1.0 - distanceTo(caster, x, y) / size;
      fade = std::clamp(fade, 0.0, 1.0);
      const int alpha = static_cast<int>(kShadowPeakAlpha * fade * fade);
      // Premultiplied, as UpdateLayeredWindow wants.
      row[x] = static_cast<std::uint32_t>(alpha << 24 | (skin.aeroShadow.r * alpha / 255) << 16 |
                                          (skin.aeroShadow.g * alpha / 255) << 8 | (skin.aeroShadow.b * alpha / 255));
    }
  }
  renderedTheme_ = theme.id();
  renderedSize_ = {width, height};
  return true;
}

void AeroShadow::follow(const SkinTheme& theme) {
  if (!IsWindowVisible(target_) || IsIconic(target_)) {
    hide();
    return;
  }
  RECT rect{};
  GetWindowRect(target_, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int size = theme.skin().aeroShadowSize;
  const int offset = size / 3;
  if (width <= 0 || height <= 0 || !registerShadowClass()) return;
  if (!window_) {
    // Disabled as well, so the system never hands it the activation of its
    // owner (a disabled owner passes clicks to its enabled popups).
    window_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                              kShadowClassName, L"", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, target_, nullptr,
                              thisModule(), nullptr);
    if (!window_) return;
  }
  if (!render(theme, width, height, offset)) return;

  POINT position{rect.left - size, rect.top - size + offset};
  SIZE extent{canvas_.width(), canvas_.height()};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(window_, nullptr, &position, &extent, canvas_.dc(), &source, 0, &blend, ULW_ALPHA);
  // The shape leaves out the window's own rectangle.
  ScopedRegion shape(CreateRectRgn(0, 0, extent.cx, extent.cy));
  ScopedRegion hole(CreateRectRgn(size, size - offset, size + width, size + height - offset));
  CombineRgn(shape.get(), shape.get(), hole.get(), RGN_DIFF);
  if (SetWindowRgn(window_, shape.get(), FALSE)) shape.release();
  if (!IsWindowVisible(window_)) {
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
  }
}

}  // namespace moxilo::skinh
