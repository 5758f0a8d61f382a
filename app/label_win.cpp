#include "app/label_win.h"

#include <string>

#include "base/scoped_gdi_win.h"
#include "base/window_class_win.h"

namespace moxilo {
namespace {

// The font set by WM_SETFONT, kept in the window's user data.
HFONT fontOf(HWND label) { return reinterpret_cast<HFONT>(GetWindowLongPtrA(label, GWLP_USERDATA)); }

void paintLabel(HWND label, HDC dc) {
  RECT client;
  GetClientRect(label, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const int length = GetWindowTextLengthA(label);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(label, text.data(), length + 1);
  HFONT font = fontOf(label);
  ScopedSelect selectFont(dc, font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text.c_str(), length, &client, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOCLIP);
}

LRESULT CALLBACK labelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      ScopedPaint paint(label);
      paintLabel(label, paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      paintLabel(label, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the whole label
    case WM_SETFONT:
      SetWindowLongPtrA(label, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(label, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(fontOf(label));
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(label, message, wParam, lParam);
      InvalidateRect(label, nullptr, TRUE);
      return result;
    }
    default:
      return DefWindowProcA(label, message, wParam, lParam);
  }
}

}  // namespace

bool registerLabelClass(HINSTANCE instance) {
  return registerWindowClass(instance, kLabelClass, labelProc);
}

}  // namespace moxilo
