#include "skinh/frame_painter_win.h"

#include <algorithm>

namespace moxilo::skinh {
namespace {

void fillSolid(HDC dc, const RECT& rect, Rgb colour) {
  SetDCBrushColor(dc, toColorRef(colour));
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void frameSolid(HDC dc, const RECT& rect, Rgb colour) {
  SetDCBrushColor(dc, toColorRef(colour));
  FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void paintCloseBox(DibCanvas& canvas, const FrameLayout& layout, const Skin& skin, const FrameLook& look) {
  const RECT& box = layout.closeBox;
  if (IsRectEmpty(&box)) return;
  const Gradient* face = look.closePressed ? &skin.closePressed
                         : look.closeHot   ? &skin.closeHover
                         : look.active     ? &skin.closeNormal
                                           : nullptr;
  if (face) {
    ScopedRegion round(CreateRoundRectRgn(box.left, box.top, box.right + 1, box.bottom + 1, 5, 5));
    SelectClipRgn(canvas.dc(), round.get());
    fillGradient(canvas.dc(), box, *face);
    SelectClipRgn(canvas.dc(), nullptr);
  }
  const Glyph& glyph = skin.closeGlyph;
  const Rgb ink = look.active || look.closeHot ? skin.closeGlyphColour : skin.captionTextInactive;
  const int left = box.left + (box.right - box.left - glyph.width) / 2 + (look.closePressed ? 1 : 0);
  const int top = box.top + (box.bottom - box.top - glyph.height) / 2 + (look.closePressed ? 1 : 0);
  GdiFlush();
  const std::uint32_t pixel = static_cast<std::uint32_t>(ink.r << 16 | ink.g << 8 | ink.b);
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      const int px = left + x;
      const int py = top + y;
      if (glyph.pixel(x, y) && px >= 0 && py >= 0 && px < canvas.width() && py < canvas.height()) {
        canvas.pixels()[static_cast<std::size_t>(py) * canvas.width() + px] = pixel;
      }
    }
  }
}

}  // namespace

void paintFrame(DibCanvas& canvas, const FrameLayout& layout, const SkinTheme& theme, const FrameLook& look) {
  const Skin& skin = theme.skin();
  HDC dc = canvas.dc();
  const int width = layout.window.cx;
  const int height = layout.window.cy;
  const Gradient& caption = look.active ? skin.captionActive : skin.captionInactive;
  const Rgb border = caption.stops[caption.count - 1];

  // The caption gradient runs over the top border too, so the bar reads as one.
  const RECT top{0, 0, width, layout.client.top};
  fillGradient(dc, top, caption);
  fillSolid(dc, {0, layout.client.top, layout.client.left, height}, border);
  fillSolid(dc, {layout.client.right, layout.client.top, width, height}, border);
  fillSolid(dc, {layout.client.left, layout.client.bottom, layout.client.right, height}, border);
  frameSolid(dc, {0, 0, width, height}, look.active ? skin.frameActive : skin.frameInactive);
  if (look.active) fillSolid(dc, {1, 1, width - 1, 2}, skin.frameLight);
  if (layout.client.left > 1) {
    RECT edge = layout.client;
    InflateRect(&edge, 1, 1);
    frameSolid(dc, edge, look.active ? skin.frameActive : skin.frameInactive);
  }

  if (look.aero && skin.aeroGloss > 0) {
    // Glass: a bright sheen over the upper half of the bar that fades downward.
    const RECT sheen{1, 1, width - 1, std::max<LONG>(2, layout.client.top / 2)};
    blendBand(canvas, sheen, Rgb{255, 255, 255}, skin.aeroGloss * 2 / 3, skin.aeroGloss / 4);
  }

  if (look.icon && !IsRectEmpty(&layout.icon)) {
    DrawIconEx(dc, layout.icon.left, layout.icon.top, look.icon, layout.icon.right - layout.icon.left,
               layout.icon.bottom - layout.icon.top, 0, nullptr, DI_NORMAL);
  }
  paintCloseBox(canvas, layout, skin, look);

  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX;
  const COLORREF ink = toColorRef(look.active ? skin.captionTextActive : skin.captionTextInactive);
  const int length = static_cast<int>(look.title.size());
  if (look.aero) {
    drawGlowingText(canvas, look.title.c_str(), length, layout.title, format, theme.captionFont(), ink,
                    look.active ? skin.aeroGlow : skin.captionInactive.stops[0]);
  } else {
    ScopedSelect font(dc, theme.captionFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    RECT title = layout.title;
    DrawTextW(dc, look.title.c_str(), length, &title, format);
  }
  GdiFlush();
}

}  // namespace moxilo::skinh
