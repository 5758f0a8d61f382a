// The button skin: a subclass of standard Buttons that paints push buttons and
// group boxes in the skin. Only painting is taken over; the button's own mouse
// and keyboard handling (and so BN_CLICKED) stays with the original procedure.
// Other button kinds (check boxes, radio buttons, owner-drawn, picture
// buttons) keep their own look.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/scoped_gdi_win.h"
#include "skinh/control_painter_win.h"
#include "skinh/paint_tools_win.h"
#include "skinh/skin_engine_win.h"
#include "skinh/window_skinner_win.h"

namespace moxilo::skinh {
namespace {

constexpr UINT_PTR kButtonSubclassId = 0x5349;

enum class ButtonKind { Other, Push, Group };

// Everything a button's picture depends on. While it stays the same, a paint
// is one copy from the cached picture.
struct ButtonPicture {
  unsigned theme = 0;
  ButtonKind kind = ButtonKind::Other;
  SIZE size{};
  ButtonLook look;
  bool disabled = false;
  unsigned content = 0;  // ButtonState::contentVersion when painted
  bool operator==(const ButtonPicture& o) const {
    return theme == o.theme && kind == o.kind && size.cx == o.size.cx && size.cy == o.size.cy &&
           look.hover == o.look.hover && look.pressed == o.look.pressed && look.focused == o.look.focused &&
           look.disabled == o.look.disabled && look.isDefault == o.look.isDefault && disabled == o.disabled &&
           content == o.content;
  }
};

struct ButtonState {
  bool hover = false;
  // Text and font, read again only after WM_SETTEXT or WM_SETFONT: asking the
  // button for them on every paint costs more than the whole painting.
  bool contentKnown = false;
  unsigned contentVersion = 0;
  std::wstring text;
  HFONT font = nullptr;
  ButtonPicture cached;
  DibCanvas canvas;
};

ButtonKind buttonKind(HWND button) {
  const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
  if (style & (BS_BITMAP | BS_ICON)) return ButtonKind::Other;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return ButtonKind::Push;
    case BS_GROUPBOX: return ButtonKind::Group;
    default: return ButtonKind::Other;
  }
}

std::wstring buttonText(HWND button) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(button, text.data(), static_cast<int>(text.size()))));
  return text;
}

HFONT buttonFont(HWND button) {
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0))) return font;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Child windows (the picture box inside the avatar group box) paint themselves.
void clipChildren(HWND parent, HDC dc) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
}

ButtonPicture describe(HWND button, ButtonState& state, ButtonKind kind, const SkinTheme& theme) {
  if (!state.contentKnown) {
    state.text = buttonText(button);
    state.font = buttonFont(button);
    state.contentKnown = true;
    ++state.contentVersion;
  }
  RECT client{};
  GetClientRect(button, &client);
  ButtonPicture picture;
  picture.theme = theme.id();
  picture.kind = kind;
  picture.size = {client.right, client.bottom};
  picture.disabled = !IsWindowEnabled(button);
  picture.content = state.contentVersion;
  if (kind == ButtonKind::Push) {
    if (state.hover) {
      // As for the close box: the leave notice may not come, the pointer is asked.
      POINT cursor{};
      GetCursorPos(&cursor);
      state.hover = WindowFromPoint(cursor) == button;
    }
    picture.look.hover = state.hover;
    picture.look.pressed = (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    picture.look.focused = GetFocus() == button;
    picture.look.disabled = picture.disabled;
    picture.look.isDefault = (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  }
  return picture;
}

void paintButton(HWND button, HDC dc, ButtonState& state, ButtonKind kind, const SkinTheme& theme) {
  ButtonPicture picture = describe(button, state, kind, theme);
  if (picture.size.cx <= 0 || picture.size.cy <= 0) return;
  if (!(picture == state.cached) || !state.canvas.bitmap()) {
    if (!state.canvas.resize(picture.size.cx, picture.size.cy)) return;
    const RECT area{0, 0, picture.size.cx, picture.size.cy};
    const int length = static_cast<int>(state.text.size());
    if (kind == ButtonKind::Group) {
      paintGroupBox(state.canvas.dc(), area, theme, picture.disabled, state.text.c_str(), length, state.font);
    } else {
      paintPushButton(state.canvas.dc(), area, theme, picture.look, state.text.c_str(), length, state.font);
    }
    GdiFlush();
    state.cached = picture;
  }
  if (kind == ButtonKind::Push) {
    BitBlt(dc, 0, 0, state.canvas.width(), state.canvas.height(), state.canvas.dc(), 0, 0, SRCCOPY);
    return;
  }
  const int saved = SaveDC(dc);
  clipChildren(button, dc);
  BitBlt(dc, 0, 0, state.canvas.width(), state.canvas.height(), state.canvas.dc(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

void repaintNow(HWND button, ButtonState& state, ButtonKind kind, const SkinTheme& theme) {
  if (kind == ButtonKind::Other || !IsWindowVisible(button)) return;
  ScopedWindowDC dc(button);
  if (dc) paintButton(button, dc.get(), state, kind, theme);
}

// Messages after which the original procedure may have drawn the button in
// the system's look (some builds paint at once instead of invalidating).
bool changesLook(UINT message) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* state = reinterpret_cast<ButtonState*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(button, buttonProc, kButtonSubclassId);
    RemovePropW(button, kSkinnedProperty);
    delete state;
    return DefSubclassProc(button, message, wParam, lParam);
  }
  const ThemePtr theme = currentTheme();
  const ButtonKind kind = buttonKind(button);
  if (!theme || kind == ButtonKind::Other) return DefSubclassProc(button, message, wParam, lParam);

  switch (message) {
    case WM_PAINT: {
      ScopedPaint paint(button);
      paintButton(button, paint.get(), *state, kind, *theme);
      return 0;
    }
    case WM_PRINTCLIENT:
      paintButton(button, reinterpret_cast<HDC>(wParam), *state, kind, *theme);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (kind == ButtonKind::Push && !state->hover) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
        state->hover = true;
        const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
        repaintNow(button, *state, kind, *theme);
        return result;
      }
      break;
    case WM_MOUSELEAVE: {
      state->hover = false;
      const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
      repaintNow(button, *state, kind, *theme);
      return result;
    }
    default:
      if (message == WM_SETTEXT || message == WM_SETFONT) state->contentKnown = false;
      if (changesLook(message)) {
        const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
        // A click may have closed the window; only a live button is painted.
        if (IsWindow(button)) repaintNow(button, *state, buttonKind(button), *theme);
        return result;
      }
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

void attachButtonSkin(HWND button) {
  if (GetPropW(button, kSkinnedProperty)) return;
  auto* state = new ButtonState;
  if (!SetWindowSubclass(button, buttonProc, kButtonSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
    delete state;
    return;
  }
  SetPropW(button, kSkinnedProperty, state);
}

}  // namespace moxilo::skinh
