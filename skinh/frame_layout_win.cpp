#include "skinh/frame_layout_win.h"

#include <algorithm>

namespace moxilo::skinh {
namespace {

constexpr int kIconSide = 16;
constexpr int kCaptionPadding = 2;
constexpr int kMinCaptionHeight = 10;

}  // namespace

bool isFrameSkinnable(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if ((style & WS_CAPTION) != WS_CAPTION || (style & WS_CHILD)) return false;
  if (style & (WS_VSCROLL | WS_HSCROLL | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) return false;
  if (GetMenu(window) || IsIconic(window) || IsZoomed(window)) return false;
  return true;
}

FrameLayout computeFrameLayout(HWND window, bool hasIcon) {
  FrameLayout layout;
  RECT outer{};
  GetWindowRect(window, &outer);
  layout.window = {outer.right - outer.left, outer.bottom - outer.top};
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -outer.left, -outer.top);
  layout.client = client;

  const int border = std::max<int>(0, client.left);
  layout.caption = {border, border, layout.window.cx - border, client.top};
  const int height = layout.caption.bottom - layout.caption.top;
  if (height < kMinCaptionHeight) {
    layout.title = layout.caption;
    return layout;
  }
  const int side = height - 2 * kCaptionPadding;
  int titleLeft = layout.caption.left + kCaptionPadding + 2;
  if (hasIcon) {
    const int icon = std::min(kIconSide, height - 2);
    const int top = layout.caption.top + (height - icon) / 2;
    layout.icon = {titleLeft, top, titleLeft + icon, top + icon};
    titleLeft = layout.icon.right + 4;
  }
  int titleRight = layout.caption.right - kCaptionPadding;
  if (GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU) {
    // A little wider than high, like the close boxes users know.
    const int width = side * 3 / 2;
    layout.closeBox = {layout.caption.right - kCaptionPadding - width, layout.caption.top + kCaptionPadding,
                       layout.caption.right - kCaptionPadding, layout.caption.top + kCaptionPadding + side};
    titleRight = layout.closeBox.left - 4;
  }
  layout.title = {titleLeft, layout.caption.top, std::max(titleLeft, titleRight), layout.caption.bottom};
  return layout;
}

}  // namespace moxilo::skinh
