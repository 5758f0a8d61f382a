// Renders the sample window in each of the 33 built-in skins, with the Aero
// look on, into one PNG grid:
//   skin_gallery.exe ENGINE_DLL SKINS_DIR OUT_PNG
// With a fourth argument `--states`, renders skin 13 instead in the states a
// user meets: pressed, hovered and disabled buttons, the close box under the
// pointer, an inactive caption, and a message box.
// The window is shown on the (virtual) screen and captured from it, so the
// picture is what a user sees, frame and shadow included.
#include <windows.h>
#include <gdiplus.h>
#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/skin_gallery/sample_window_win.h"

namespace {

using AttachRes = int(WINAPI*)(const unsigned char*, int, const char*, int, int, int);
using SetAero = int(WINAPI*)(int);

constexpr int kSkinCount = 33;
constexpr int kColumns = 5;
constexpr int kMargin = 14;  // room for the shadow around the window
constexpr int kLabelHeight = 22;
constexpr int kCellWidth = moxilo::skinsample::kSampleWidth + 2 * kMargin;
constexpr int kCellHeight = moxilo::skinsample::kSampleHeight + 2 * kMargin + kLabelHeight;

std::vector<unsigned char> readFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Lets every pending message run (paints, shadow moves) before a capture.
void settle(HWND window) {
  for (int round = 0; round < 3; ++round) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    GdiFlush();
    Sleep(80);  // Wine copies window surfaces to the screen a moment later
  }
}

std::string skinName(const std::vector<unsigned char>& skin) {
  const std::string text(skin.begin(), skin.end());
  const std::size_t at = text.find("\nname = ");
  if (at == std::string::npos) return "?";
  return text.substr(at + 8, text.find('\n', at + 8) - at - 8);
}

bool savePng(HBITMAP bitmap, const std::wstring& path) {
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<unsigned char> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, encoders);
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(encoders[i].MimeType) == L"image/png") {
      Gdiplus::Bitmap image(bitmap, nullptr);
      return image.Save(path.c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
    }
  }
  return false;
}

// One capture of the screen around `window` into the strip at `slot`.
void captureInto(HDC strip, int slot, HWND window, HDC screen, const char* label) {
  settle(window);
  RECT r{};
  GetWindowRect(window, &r);
  BitBlt(strip, slot * kCellWidth, 0, kCellWidth, kCellHeight - kLabelHeight, screen, r.left - kMargin,
         r.top - kMargin, SRCCOPY);
  RECT text{slot * kCellWidth, kCellHeight - kLabelHeight - 4, (slot + 1) * kCellWidth, kCellHeight};
  DrawTextA(strip, label, -1, &text, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
}

HWND childWithText(HWND parent, const wchar_t* text) {
  return FindWindowExW(parent, nullptr, L"Button", text);
}

struct MessageBoxCapture {
  HDC strip;
  HDC screen;
  int slot;
};
MessageBoxCapture* pendingBox = nullptr;

void CALLBACK captureMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND box = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM found) {
        wchar_t name[16] = {};
        GetClassNameW(w, name, 16);
        if (std::wstring(name) == L"#32770" && IsWindowVisible(w)) *reinterpret_cast<HWND*>(found) = w;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&box));
  if (box && pendingBox) {
    captureInto(pendingBox->strip, pendingBox->slot, box, pendingBox->screen, "message box");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

int renderStates(AttachRes attach, SetAero aero, const std::wstring& skinsDir, const std::wstring& out) {
  const std::vector<unsigned char> skin = readFile(skinsDir + L"\\skin13.she");
  constexpr int kSlots = 4;
  HDC screen = GetDC(nullptr);
  HDC strip = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kSlots * kCellWidth, kCellHeight);
  HGDIOBJ previous = SelectObject(strip, bitmap);
  RECT all{0, 0, kSlots * kCellWidth, kCellHeight};
  FillRect(strip, &all, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  SetBkMode(strip, TRANSPARENT);

  HWND window = moxilo::skinsample::createSampleWindow(100, 100);
  HWND other = moxilo::skinsample::createSampleWindow(560, 420);
  if (!attach(skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0)) return 1;
  aero(1);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  HWND open = childWithText(window, L"打开(&D)");
  HWND save = childWithText(window, L"保存(&V)");
  HWND left = childWithText(window, L"左边点");
  HWND right = childWithText(window, L"右边点");
  SetFocus(open);
  SendMessageW(save, BM_SETSTATE, TRUE, 0);
  EnableWindow(left, FALSE);
  RECT r{};
  GetWindowRect(right, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  captureInto(strip, 0, window, screen, "focus, pressed, hover, disabled");

  SendMessageW(save, BM_SETSTATE, FALSE, 0);
  GetWindowRect(window, &r);
  SetCursorPos(r.right - 14, r.top + 12);
  captureInto(strip, 1, window, screen, "close box under the pointer");

  SetCursorPos(5, 5);
  ShowWindow(other, SW_SHOW);
  SetForegroundWindow(other);
  captureInto(strip, 2, window, screen, "inactive");
  ShowWindow(other, SW_HIDE);
  SetForegroundWindow(window);

  MessageBoxCapture capture{strip, screen, 3};
  pendingBox = &capture;
  SetTimer(nullptr, 0, 300, captureMessageBox);
  MessageBoxW(window, L"请打开图片", L"Moxilo", MB_ICONINFORMATION);
  pendingBox = nullptr;

  SelectObject(strip, previous);
  const bool saved = savePng(bitmap, out);
  DestroyWindow(other);
  DestroyWindow(window);
  DeleteObject(bitmap);
  DeleteDC(strip);
  ReleaseDC(nullptr, screen);
  return saved ? 0 : 1;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const bool states = argc == 5 && std::wstring(argv[4]) == L"--states";
  if (argc != 4 && !states) {
    std::fprintf(stderr, "usage: skin_gallery ENGINE_DLL SKINS_DIR OUT_PNG [--states]\n");
    return 2;
  }
  HMODULE engine = LoadLibraryW(argv[1]);
  // Through void*: FARPROC's own type says nothing about the entry's arguments.
  auto attach = reinterpret_cast<AttachRes>(reinterpret_cast<void*>(GetProcAddress(engine, "SkinH_AttachRes")));
  auto aero = reinterpret_cast<SetAero>(reinterpret_cast<void*>(GetProcAddress(engine, "SkinH_SetAero")));
  if (!attach || !aero) {
    std::fprintf(stderr, "cannot load the engine\n");
    return 1;
  }
  ULONG_PTR gdiplusToken = 0;
  Gdiplus::GdiplusStartupInput startup;
  Gdiplus::GdiplusStartup(&gdiplusToken, &startup, nullptr);

  if (states) {
    const int result = renderStates(attach, aero, argv[2], argv[3]);
    Gdiplus::GdiplusShutdown(gdiplusToken);
    LocalFree(argv);
    return result;
  }
  const int rows = (kSkinCount + kColumns - 1) / kColumns;
  HDC screen = GetDC(nullptr);
  HDC canvas = CreateCompatibleDC(screen);
  HBITMAP gallery = CreateCompatibleBitmap(screen, kColumns * kCellWidth, rows * kCellHeight);
  HGDIOBJ previous = SelectObject(canvas, gallery);
  RECT all{0, 0, kColumns * kCellWidth, rows * kCellHeight};
  HBRUSH backdrop = CreateSolidBrush(RGB(208, 212, 216));
  FillRect(canvas, &all, backdrop);
  SetBkMode(canvas, TRANSPARENT);
  HGDIOBJ font = SelectObject(canvas, GetStockObject(DEFAULT_GUI_FONT));

  // The capture takes the screen under the window and its shadow; the same
  // backdrop colour is painted there first by a plain window behind it.
  const int left = 100, top = 100;
  HWND window = moxilo::skinsample::createSampleWindow(left, top);
  aero(1);
  int failures = 0;
  for (int number = 1; number <= kSkinCount; ++number) {
    wchar_t name[32];
    swprintf(name, 32, L"\\skin%02d.she", number);
    const std::vector<unsigned char> skin = readFile(std::wstring(argv[2]) + name);
    if (!attach(skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0)) {
      std::fprintf(stderr, "skin %d refused\n", number);
      ++failures;
      continue;
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    settle(window);
    const int column = (number - 1) % kColumns;
    const int row = (number - 1) / kColumns;
    BitBlt(canvas, column * kCellWidth, row * kCellHeight, kCellWidth, kCellHeight - kLabelHeight, screen,
           left - kMargin, top - kMargin, SRCCOPY);
    const std::string label = std::to_string(number) + "  " + skinName(skin);
    RECT text{column * kCellWidth, row * kCellHeight + kCellHeight - kLabelHeight - 4, (column + 1) * kCellWidth,
              (row + 1) * kCellHeight};
    DrawTextA(canvas, label.c_str(), -1, &text, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  }
  SelectObject(canvas, font);
  SelectObject(canvas, previous);
  const bool saved = savePng(gallery, argv[3]);
  DestroyWindow(window);
  DeleteObject(gallery);
  DeleteObject(backdrop);
  DeleteDC(canvas);
  ReleaseDC(nullptr, screen);
  Gdiplus::GdiplusShutdown(gdiplusToken);
  LocalFree(argv);
  if (!saved) std::fprintf(stderr, "cannot write the PNG\n");
  return failures == 0 && saved ? 0 : 1;
}
