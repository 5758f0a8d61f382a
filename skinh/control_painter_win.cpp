#include "skinh/control_painter_win.h"

#include "skinh/paint_tools_win.h"

namespace moxilo::skinh {
namespace {

constexpr int kGroupTextIndent = 8;
constexpr int kGroupTextGap = 2;
constexpr int kGroupRadius = 3;

}  // namespace

void paintPushButton(HDC dc, const RECT& rect, const SkinTheme& theme, const ButtonLook& look, const wchar_t* text,
                     int length, HFONT font) {
  const Skin& skin = theme.skin();
  const Gradient& face = look.disabled ? skin.buttonDisabled
                         : look.pressed ? skin.buttonPressed
                         : look.hover   ? skin.buttonHover
                                        : skin.buttonNormal;
  fillGradient(dc, rect, face);
  const int radius = skin.buttonRadius;
  fillOutsideCorners(dc, rect, radius, theme.faceBrush());

  const bool accent = !look.disabled && (look.focused || look.isDefault);
  {
    ScopedSelect pen(dc, accent ? theme.buttonFocusPen() : theme.buttonBorderPen());
    ScopedSelect brush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 2 * radius + 1, 2 * radius + 1);
    if (look.focused && !look.disabled) {
      // A second ring inside the first: the keyboard focus, seen at a glance.
      RoundRect(dc, rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2, 2 * radius - 1, 2 * radius - 1);
    }
  }

  if (length <= 0) return;
  ScopedSelect selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, toColorRef(look.disabled ? skin.buttonTextDisabled : skin.buttonText));
  RECT measure{0, 0, rect.right - rect.left - 4, 0};
  DrawTextW(dc, text, length, &measure, DT_CENTER | DT_CALCRECT);
  const int shift = look.pressed ? 1 : 0;
  const int textHeight = measure.bottom - measure.top;
  RECT target{rect.left + 2 + shift, rect.top + (rect.bottom - rect.top - textHeight) / 2 + shift,
              rect.right - 2 + shift, 0};
  target.bottom = target.top + textHeight;
  DrawTextW(dc, text, length, &target, DT_CENTER);
}

void paintGroupBox(HDC dc, const RECT& rect, const SkinTheme& theme, bool disabled, const wchar_t* text, int length,
                   HFONT font) {
  const Skin& skin = theme.skin();
  FillRect(dc, &rect, theme.faceBrush());
  ScopedSelect selectFont(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int lineTop = rect.top + metrics.tmHeight / 2;
  {
    ScopedSelect pen(dc, theme.groupBorderPen());
    ScopedSelect brush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, rect.left, lineTop, rect.right, rect.bottom, 2 * kGroupRadius, 2 * kGroupRadius);
  }
  if (length <= 0) return;
  RECT measure{0, 0, 0, 0};
  DrawTextW(dc, text, length, &measure, DT_SINGLELINE | DT_CALCRECT);
  RECT label{rect.left + kGroupTextIndent, rect.top,
             rect.left + kGroupTextIndent + (measure.right - measure.left) + 2 * kGroupTextGap,
             rect.top + metrics.tmHeight};
  if (label.right > rect.right - kGroupTextIndent) label.right = rect.right - kGroupTextIndent;
  FillRect(dc, &label, theme.faceBrush());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, toColorRef(disabled ? skin.buttonTextDisabled : skin.groupText));
  InflateRect(&label, -kGroupTextGap, 0);
  DrawTextW(dc, text, length, &label, DT_SINGLELINE | DT_LEFT | DT_END_ELLIPSIS);
}

}  // namespace moxilo::skinh
