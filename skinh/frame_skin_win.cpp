// The frame skin: a subclass of top-level windows with a caption that paints
// their border, caption and close box, fills their background with the face
// colour and keeps the Aero shadow beside them. The non-client metrics stay the
// system's: WM_NCCALCSIZE is never touched.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "base/scoped_gdi_win.h"
#include "skinh/aero_shadow_win.h"
#include "skinh/frame_painter_win.h"
#include "skinh/skin_engine_win.h"
#include "skinh/window_skinner_win.h"

namespace moxilo::skinh {
namespace {

constexpr UINT_PTR kFrameSubclassId = 0x5348;
// Undocumented messages with which themed systems paint the caption and frame
// outside WM_NCPAINT; a skinned frame must not let them through.
constexpr UINT kThemedDrawCaption = 0x00AE;
constexpr UINT kThemedDrawFrame = 0x00AF;

struct FrameState {
  explicit FrameState(HWND window) : shadow(window), dialog(false) {}
  bool active = false;
  bool closeHot = false;
  bool closePressed = false;
  bool tracking = false;
  AeroShadow shadow;
  bool dialog;
  // Title and icon, read again only after WM_SETTEXT, WM_SETICON or a
  // refresh: asking the window on every paint costs more than the painting.
  bool contentKnown = false;
  std::wstring title;
  HICON icon = nullptr;
  // The last rendered frame, reused while nothing it shows has changed.
  DibCanvas canvas;
  FrameLook rendered;
  unsigned renderedTheme = 0;
  FrameLayout renderedLayout;
};

std::wstring windowTitle(HWND window) {
  std::wstring title(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  title.resize(static_cast<std::size_t>(GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
  return title;
}

HICON windowIcon(HWND window) {
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (exStyle & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW)) return nullptr;
  for (WPARAM kind : {ICON_SMALL, ICON_SMALL2, ICON_BIG}) {
    if (auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0))) return icon;
  }
  if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM))) return icon;
  return reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
}

bool sameLayout(const FrameLayout& a, const FrameLayout& b) {
  return a.window.cx == b.window.cx && a.window.cy == b.window.cy && EqualRect(&a.client, &b.client) &&
         EqualRect(&a.caption, &b.caption) && EqualRect(&a.icon, &b.icon) && EqualRect(&a.closeBox, &b.closeBox);
}

void paintNonClient(HWND window, FrameState& state, const SkinTheme& theme) {
  if (!IsWindowVisible(window)) return;
  if (!state.contentKnown) {
    state.title = windowTitle(window);
    state.icon = windowIcon(window);
    state.contentKnown = true;
  }
  FrameLook look{state.active, state.closeHot, state.closePressed, aeroEnabled(), state.title, state.icon};
  const FrameLayout layout = computeFrameLayout(window, look.icon != nullptr);
  if (layout.window.cx <= 0 || layout.window.cy <= 0) return;
  if (!(look == state.rendered) || state.renderedTheme != theme.id() || !sameLayout(layout, state.renderedLayout) ||
      !state.canvas.bitmap()) {
    if (!state.canvas.resize(layout.window.cx, layout.window.cy)) return;
    paintFrame(state.canvas, layout, theme, look);
    state.rendered = std::move(look);
    state.renderedTheme = theme.id();
    state.renderedLayout = layout;
  }
  ScopedWindowDC dc(window, ScopedWindowDC::Area::Window);
  if (!dc) return;
  // Four strips around the client area: cheaper than one copy through a clip.
  const RECT& c = layout.client;
  const RECT strips[4] = {{0, 0, layout.window.cx, c.top},
                          {0, c.top, c.left, c.bottom},
                          {c.right, c.top, layout.window.cx, c.bottom},
                          {0, c.bottom, layout.window.cx, layout.window.cy}};
  for (const RECT& strip : strips) {
    if (strip.right > strip.left && strip.bottom > strip.top) {
      BitBlt(dc.get(), strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top, state.canvas.dc(),
             strip.left, strip.top, SRCCOPY);
    }
  }
}

// The leave notice does not always come (the pointer may have moved on while
// another window was active), so paints that no mouse message asked for look
// where the pointer is. A pressed box stays pressed until the button is released.
void forgetLeftPointer(HWND window, FrameState& state) {
  if (!state.closeHot || state.closePressed) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT outer{};
  GetWindowRect(window, &outer);
  const FrameLayout layout = computeFrameLayout(window, false);
  state.closeHot = PtInRect(&layout.closeBox, POINT{cursor.x - outer.left, cursor.y - outer.top}) != FALSE;
}

void followWithShadow(FrameState& state, const SkinTheme& theme) {
  if (aeroEnabled()) {
    state.shadow.follow(theme);
  } else {
    state.shadow.hide();
  }
}

POINT toWindowPoint(HWND window, LPARAM screenPoint) {
  RECT outer{};
  GetWindowRect(window, &outer);
  return {GET_X_LPARAM(screenPoint) - outer.left, GET_Y_LPARAM(screenPoint) - outer.top};
}

bool isDialogChildForBackground(HWND child) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, static_cast<int>(std::size(name)));
  return CompareStringOrdinal(name, -1, L"Static", -1, TRUE) == CSTR_EQUAL ||
         CompareStringOrdinal(name, -1, L"Button", -1, TRUE) == CSTR_EQUAL;
}

// Messages that concern the whole window, skinnable frame or not.
bool handleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, FrameState& state,
                         const SkinTheme& theme, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, theme.faceBrush());
      result = 1;
      return true;
    }
    case WM_CTLCOLORDLG:
      if (!state.dialog) return false;
      result = reinterpret_cast<LRESULT>(theme.faceBrush());
      return true;
    case WM_CTLCOLORSTATIC:
      // Only in dialogs: the program's own windows colour their controls themselves.
      if (!state.dialog || !isDialogChildForBackground(reinterpret_cast<HWND>(lParam))) return false;
      SetBkColor(reinterpret_cast<HDC>(wParam), toColorRef(theme.skin().face));
      SetTextColor(reinterpret_cast<HDC>(wParam), toColorRef(theme.skin().text));
      result = reinterpret_cast<LRESULT>(theme.faceBrush());
      return true;
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
      result = DefSubclassProc(window, message, wParam, lParam);
      followWithShadow(state, theme);
      return true;
    case WM_DESTROY:
      state.shadow.destroy();
      return false;
    default:
      if (message != refreshMessage()) return false;
      state.renderedTheme = 0;
      state.contentKnown = false;
      followWithShadow(state, theme);
      RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      result = 0;
      return true;
  }
}

void setCloseState(HWND window, FrameState& state, const SkinTheme& theme, bool hot, bool pressed) {
  if (state.closeHot == hot && state.closePressed == pressed) return;
  state.closeHot = hot;
  state.closePressed = pressed;
  paintNonClient(window, state, theme);
}

// Messages of the non-client area, for windows whose frame the engine paints.
bool handleFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, FrameState& state,
                        const SkinTheme& theme, LRESULT& result) {
  switch (message) {
    case WM_NCPAINT:
      forgetLeftPointer(window, state);
      paintNonClient(window, state, theme);
      result = 0;
      return true;
    case WM_NCACTIVATE:
      // lParam -1 keeps the default handler from drawing its own caption,
      // while it still records the new state.
      state.active = wParam != 0;
      forgetLeftPointer(window, state);
      DefSubclassProc(window, message, wParam, -1);
      paintNonClient(window, state, theme);
      result = TRUE;
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      result = DefSubclassProc(window, message, wParam, lParam);
      state.contentKnown = false;
      paintNonClient(window, state, theme);
      return true;
    case kThemedDrawCaption:
    case kThemedDrawFrame:
      result = 0;
      return true;
    case WM_NCHITTEST: {
      result = DefSubclassProc(window, message, wParam, lParam);
      const FrameLayout layout = computeFrameLayout(window, false);
      const POINT point = toWindowPoint(window, lParam);
      if (PtInRect(&layout.closeBox, point)) {
        result = HTCLOSE;
      } else if (result == HTCLOSE || result == HTMINBUTTON || result == HTMAXBUTTON || result == HTHELP) {
        // The system's own buttons lie elsewhere; the skin shows none there.
        result = HTCAPTION;
      }
      return true;
    }
    case WM_NCMOUSEMOVE:
      if (!state.tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, window, 0};
        state.tracking = TrackMouseEvent(&track) != FALSE;
      }
      setCloseState(window, state, theme, wParam == HTCLOSE, state.closePressed && wParam == HTCLOSE);
      return false;
    case WM_NCMOUSELEAVE:
      state.tracking = false;
      setCloseState(window, state, theme, false, false);
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam != HTCLOSE) return false;
      setCloseState(window, state, theme, true, true);
      result = 0;
      return true;
    case WM_NCLBUTTONUP: {
      const bool wasPressed = state.closePressed;
      setCloseState(window, state, theme, wParam == HTCLOSE, false);
      if (wParam != HTCLOSE || !wasPressed) return false;
      // The window may be gone after this; nothing of it is touched afterwards.
      SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, lParam);
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* state = reinterpret_cast<FrameState*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, frameProc, kFrameSubclassId);
    RemovePropW(window, kSkinnedProperty);
    forgetFrame(window);
    delete state;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  const ThemePtr theme = currentTheme();
  if (!theme) return DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_SETTEXT || message == WM_SETICON) state->contentKnown = false;
  LRESULT result = 0;
  if (handleWindowMessage(window, message, wParam, lParam, *state, *theme, result)) return result;
  if (isFrameSkinnable(window) && handleFrameMessage(window, message, wParam, lParam, *state, *theme, result)) {
    return result;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void attachFrameSkin(HWND window) {
  if (GetPropW(window, kSkinnedProperty)) return;
  auto* state = new FrameState(window);
  wchar_t name[16] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  state->dialog = CompareStringOrdinal(name, -1, L"#32770", -1, FALSE) == CSTR_EQUAL;
  state->active = GetActiveWindow() == window;
  if (!SetWindowSubclass(window, frameProc, kFrameSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
    delete state;
    return;
  }
  SetPropW(window, kSkinnedProperty, state);
  rememberFrame(window);
}

}  // namespace moxilo::skinh
