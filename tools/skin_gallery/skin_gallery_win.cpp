// Renders the sample window in each of the 33 built-in skins, with the Aero
// look on, into one PNG grid:
//   skin_gallery.exe ENGINE_DLL SKINS_DIR OUT_PNG
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
    Sleep(30);
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

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc != 4) {
    std::fprintf(stderr, "usage: skin_gallery ENGINE_DLL SKINS_DIR OUT_PNG\n");
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
