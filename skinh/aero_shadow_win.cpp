#include "skinh/aero_shadow_win.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace moxilo::skinh {
namespace {

constexpr int kShadowPeakAlpha = 128;
// Halftone thresholds (4 x 4 Bayer matrix, 0..15).
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

extern "C" IMAGE_DOS_HEADER __ImageBase;
HINSTANCE thisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

LRESULT CALLBACK shadowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      // Halftone mode: the shape holds only the dots; they take the shadow colour.
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      SetDCBrushColor(dc, static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA)));
      FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      EndPaint(window, &paint);
      return 0;
    }
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

// Whether the desktop composes layered windows with per-pixel alpha.
bool desktopComposes() {
  using IsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
  static HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  if (!dwm) return false;
  auto query = reinterpret_cast<IsCompositionEnabled>(
      reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  BOOL enabled = FALSE;
  return query && SUCCEEDED(query(&enabled)) && enabled;
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

// Fills the canvas with the shadow, premultiplied; its alpha channel is the
// shadow's strength and is 0 over the window itself.
bool AeroShadow::render(const SkinTheme& theme, int width, int height, int offset) {
  const Skin& skin = theme.skin();
  const int size = skin.aeroShadowSize;
  if (renderedTheme_ == theme.id() && renderedSize_.cx == width && renderedSize_.cy == height) return true;
  if (!canvas_.resize(width + 2 * size, height + 2 * size)) return false;
  // The shape casting the shadow is the window moved down by `offset`.
  const RECT caster{size, size, size + width, size + height};
  const RECT hole{size, size - offset, size + width, size + height - offset};
  for (int y = 0; y < canvas_.height(); ++y) {
    std::uint32_t* row = canvas_.pixels() + static_cast<std::size_t>(y) * canvas_.width();
    for (int x = 0; x < canvas_.width(); ++x) {
      const POINT p{x, y};
      double fade = PtInRect(&hole, p) ? 0.0 : 1.0 - distanceTo(caster, x, y) / size;
      fade = std::clamp(fade, 0.0, 1.0);
      const int alpha = static_cast<int>(kShadowPeakAlpha * fade * std::sqrt(fade));
      row[x] = static_cast<std::uint32_t>(alpha << 24 | (skin.aeroShadow.r * alpha / 255) << 16 |
                                          (skin.aeroShadow.g * alpha / 255) << 8 | (skin.aeroShadow.b * alpha / 255));
    }
  }
  renderedTheme_ = theme.id();
  renderedSize_ = {width, height};
  shapeCurrent_ = false;
  return true;
}

bool AeroShadow::create(bool layered) {
  if (window_) return true;
  if (!registerShadowClass()) return false;
  // Disabled as well, so the system never hands it the activation of its
  // owner (a disabled owner passes clicks on to its enabled popups).
  const DWORD exStyle = WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | (layered ? WS_EX_LAYERED : 0);
  window_ = CreateWindowExW(exStyle, kShadowClassName, L"", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, target_, nullptr,
                            thisModule(), nullptr);
  shapeCurrent_ = false;
  return window_ != nullptr;
}

void AeroShadow::placeLayered(POINT position) {
  SIZE extent{canvas_.width(), canvas_.height()};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(window_, nullptr, &position, &extent, canvas_.dc(), &source, 0, &blend, ULW_ALPHA);
}

void AeroShadow::placeHalftone(POINT position, COLORREF colour) {
  SetWindowLongPtrW(window_, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
  if (!shapeCurrent_) {
    // One rectangle per run of dots in a row; alpha 0 (the window) has none.
    std::vector<RECT> runs;
    const int width = canvas_.width();
    GdiFlush();
    for (int y = 0; y < canvas_.height(); ++y) {
      std::uint32_t* row = canvas_.pixels() + static_cast<std::size_t>(y) * width;
      int start = -1;
      for (int x = 0; x <= width; ++x) {
        // Dots of the full shadow colour as dense as the alpha is strong:
        // on average the same shade as the blended shadow.
        const bool dot = x < width && static_cast<int>(row[x] >> 24) * 16 / 255 > kBayer[y & 3][x & 3];
        if (dot && start < 0) start = x;
        if (!dot && start >= 0) {
          runs.push_back({start, y, x, y + 1});
          start = -1;
        }
      }
    }
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(runs.size()),
                   static_cast<DWORD>(runs.size() * sizeof(RECT)), {0, 0, width, canvas_.height()}};
    std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT*>(region->Buffer));
    ScopedRegion shape(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region));
    if (!shape || !SetWindowRgn(window_, shape.get(), FALSE)) return;
    shape.release();
    shapeCurrent_ = true;
    InvalidateRect(window_, nullptr, FALSE);
  }
  SetWindowPos(window_, nullptr, position.x, position.y, canvas_.width(), canvas_.height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
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
  const bool layered = desktopComposes();
  if (width <= 0 || height <= 0 || !create(layered) || !render(theme, width, height, offset)) return;
  const POINT position{rect.left - size, rect.top - size + offset};
  if (layered) {
    placeLayered(position);
  } else {
    placeHalftone(position, toColorRef(theme.skin().aeroShadow));
  }
  if (!IsWindowVisible(window_)) {
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
  }
}

}  // namespace moxilo::skinh
