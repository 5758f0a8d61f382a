#include "tools/skin_gallery/sample_window_win.h"

namespace moxilo::skinsample {
namespace {

struct ControlRow {
  const wchar_t* cls;
  const wchar_t* text;
  DWORD style;
  int left, top, width, height;
};

// Design order: an earlier control lies above a later one.
const ControlRow kControls[] = {
    {L"SampleLabel", L"  软件交流群:123456789", WS_BORDER, 208, 168, 208, 24},
    {L"SampleLabel", L"全部软件:http://moxilo.example/", WS_BORDER, 0, 168, 208, 24},
    {L"Button", L"联\r\n\r\n系\r\n\r\n作\r\n\r\n者", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 312, 8, 80, 152},
    {L"Button", L"下边点", BS_PUSHBUTTON | WS_TABSTOP, 248, 136, 56, 24},
    {L"Button", L"上边点", BS_PUSHBUTTON | WS_TABSTOP, 176, 136, 56, 24},
    {L"Button", L"左边点", BS_PUSHBUTTON | WS_TABSTOP, 176, 104, 56, 24},
    {L"Button", L"右边点", BS_PUSHBUTTON | WS_TABSTOP, 248, 104, 56, 24},
    {L"Button", L"保存(&V)", BS_PUSHBUTTON | WS_TABSTOP, 176, 56, 128, 32},
    {L"Button", L"打开(&D)", BS_PUSHBUTTON | WS_TABSTOP, 176, 8, 128, 32},
    {L"Button", L"头像区", BS_GROUPBOX, 8, 8, 152, 152},
};

HINSTANCE instance() { return GetModuleHandleW(nullptr); }

// The labels draw themselves, as the program's do: face colour and one line.
LRESULT CALLBACK labelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  wchar_t text[128];
  GetWindowTextW(window, text, 128);
  DrawTextW(dc, text, -1, &client, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP);
  SelectObject(dc, font);
  EndPaint(window, &paint);
  return 0;
}

// A stand-in picture: a sky-to-sea gradient with a sun.
LRESULT CALLBACK pictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  for (int y = 0; y < client.bottom; ++y) {
    RECT row{0, y, client.right, y + 1};
    const int t = y * 255 / (client.bottom ? client.bottom : 1);
    HBRUSH brush = CreateSolidBrush(RGB(250 - t / 2, 190 - t / 3, 120 + t / 2));
    FillRect(dc, &row, brush);
    DeleteObject(brush);
  }
  HBRUSH sun = CreateSolidBrush(RGB(255, 236, 160));
  HGDIOBJ old = SelectObject(dc, sun);
  HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, 24, 20, 74, 70);
  SelectObject(dc, pen);
  SelectObject(dc, old);
  DeleteObject(sun);
  EndPaint(window, &paint);
  return 0;
}

// A stand-in badge: a round emblem cut out by a window region.
LRESULT CALLBACK badgeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HBRUSH fill = CreateSolidBrush(RGB(200, 40, 60));
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, fill);
  DeleteObject(fill);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextW(dc, L"V", 1, &client, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  EndPaint(window, &paint);
  return 0;
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool registerClasses() {
  static const bool done = [] {
    const struct {
      const wchar_t* name;
      WNDPROC proc;
      int brush;
    } classes[] = {{L"SampleFrame", frameProc, COLOR_BTNFACE + 1},
                   {L"SampleLabel", labelProc, COLOR_BTNFACE + 1},
                   {L"SamplePicture", pictureProc, 0},
                   {L"SampleBadge", badgeProc, 0}};
    for (const auto& c : classes) {
      WNDCLASSEXW cls{};
      cls.cbSize = sizeof cls;
      cls.lpfnWndProc = c.proc;
      cls.hInstance = instance();
      cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      cls.hbrBackground = c.brush ? reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(c.brush)) : nullptr;
      cls.lpszClassName = c.name;
      if (!RegisterClassExW(&cls)) return false;
    }
    return true;
  }();
  return done;
}

}  // namespace

HWND createSampleWindow(int left, int top) {
  if (!registerClasses()) return nullptr;
  HWND frame = CreateWindowExW(0, L"SampleFrame", L"Moxilo     by：Tavren QQ:10000001",
                               WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, left, top, kSampleWidth, kSampleHeight,
                               nullptr, nullptr, instance(), nullptr);
  if (!frame) return nullptr;
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  SendMessageW(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SendMessageW(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  static HFONT tall = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, 0, L"宋体");
  HWND group = nullptr;
  for (const ControlRow& row : kControls) {
    HWND control = CreateWindowExW(0, row.cls, row.text, WS_CHILD | WS_VISIBLE | row.style, row.left, row.top,
                                   row.width, row.height, frame, nullptr, instance(), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(row.height == 152 && row.width == 80 ? tall : gui), 0);
    group = control;
  }
  HWND picture = CreateWindowExW(0, L"SamplePicture", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 8, 14, 136, 130,
                                 group, nullptr, instance(), nullptr);
  HWND badge = CreateWindowExW(0, L"SampleBadge", L"", WS_CHILD | WS_VISIBLE, 88, 90, 48, 48, picture, nullptr,
                               instance(), nullptr);
  SetWindowRgn(badge, CreateEllipticRgn(4, 4, 46, 44), FALSE);
  return frame;
}

}  // namespace moxilo::skinsample
