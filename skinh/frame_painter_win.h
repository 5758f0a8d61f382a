#pragma once
// Paints the non-client area of a skinned top-level window into a canvas of
// the window's size: border, caption, icon, title and close box.
#include <windows.h>

#include <string>

#include "skinh/frame_layout_win.h"
#include "skinh/paint_tools_win.h"
#include "skinh/skin_theme_win.h"

namespace moxilo::skinh {

struct FrameLook {
  bool active = false;
  bool closeHot = false;
  bool closePressed = false;
  bool aero = false;
  std::wstring title;
  HICON icon = nullptr;
  bool operator==(const FrameLook&) const = default;
};

void paintFrame(DibCanvas& canvas, const FrameLayout& layout, const SkinTheme& theme, const FrameLook& look);

}  // namespace moxilo::skinh
