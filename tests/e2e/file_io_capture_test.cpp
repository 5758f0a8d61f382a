// The file reading and writing and the window capture of the Open and Save
// commands, run in the driver's own process on real files and windows.
#include <gtest/gtest.h>

#include <array>

#include "avatar/capture_win.h"
#include "avatar/file_io_win.h"
#include "driver.h"

namespace e2e {
namespace {

using moxilo::ByteBuffer;

// A fresh folder of ANSI paths, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    path_ = std::string(temp) + "moxilo-io-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(path_), ec)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(fs::path(path_), ec);
  }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
  // The names in the folder (not recursive), sorted.
  std::vector<std::string> names() const { return namesIn(path_); }
  static std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> found;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
      const std::string name = entry.cFileName;
      if (name != "." && name != "..") found.push_back(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(found.begin(), found.end());
    return found;
  }

 private:
  std::string path_;
};

// An ANSI path name as the wide path the driver's file helpers take; the
// narrow calls under test read it in the same code page.
fs::path ansiPath(const std::string& ansi) {
  const int size = static_cast<int>(ansi.size());
  std::wstring path(MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, path.data(), static_cast<int>(path.size()));
  return path;
}

moxilo::ByteSpan span(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string text(const ByteBuffer& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(WriteWholeFile, LeavesExactlyTheBytes) {
  TempFolder folder;
  const std::string bmp = folder / "a.bmp";
  EXPECT_TRUE(moxilo::writeWholeFile(bmp, span("first, longer content")));
  EXPECT_EQ(readFile(ansiPath(bmp)), "first, longer content");
  EXPECT_TRUE(moxilo::writeWholeFile(bmp, span("second")));
  EXPECT_EQ(readFile(ansiPath(bmp)), "second");
  EXPECT_TRUE(moxilo::writeWholeFile(bmp, span("")));
  EXPECT_EQ(readFile(ansiPath(bmp)), "");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"a.bmp"}) << "an empty file, not none";
  const std::string binary("\0\xFF\r\n\x1A", 5);
  EXPECT_TRUE(moxilo::writeWholeFile(folder / "noext", span(binary)));
  EXPECT_EQ(readFile(ansiPath(folder / "noext")), binary);
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"a.bmp", "noext"}));
}

TEST(WriteWholeFile, WritesInFoldersWhoseNamesHoldTrailByteBackslashes) {
  TempFolder folder;
  // 0x955C: a GBK character whose trail byte is a backslash.
  const std::string inner = folder / "\x95\x5C";
  ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
  const std::string target = inner + "\\\x95\x5C.bmp";
  EXPECT_TRUE(moxilo::writeWholeFile(target, span("avatar")));
  EXPECT_EQ(readFile(ansiPath(target)), "avatar");
  EXPECT_EQ(TempFolder::namesIn(inner), std::vector<std::string>{"\x95\x5C.bmp"});
  EXPECT_EQ(folder.names(), std::vector<std::string>{"\x95\x5C"});
}

// Every failure leaves the target as it was and nothing else in the folder.
TEST(WriteWholeFile, FailuresLeaveTheTargetUntouchedAndNoStrayFile) {
  TempFolder folder;
  const std::string old = "old content";

  EXPECT_FALSE(moxilo::writeWholeFile("", span("x")));

  EXPECT_FALSE(moxilo::writeWholeFile(folder / "missing\\a.bmp", span("x")));
  EXPECT_TRUE(folder.names().empty());

  const std::string readOnly = folder / "read-only.bmp";
  writeFile(ansiPath(readOnly), old);
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(moxilo::writeWholeFile(readOnly, span("new")));
  EXPECT_EQ(readFile(ansiPath(readOnly)), old);
  EXPECT_NE(GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  const std::string locked = folder / "locked.bmp";
  writeFile(ansiPath(locked), old);
  {
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(moxilo::writeWholeFile(locked, span("new")));
    CloseHandle(holder);
  }
  EXPECT_EQ(readFile(ansiPath(locked)), old);

  const std::string directory = folder / "a folder";
  CreateDirectoryA(directory.c_str(), nullptr);
  EXPECT_FALSE(moxilo::writeWholeFile(directory, span("new")));
  EXPECT_TRUE(TempFolder::namesIn(directory).empty());

  EXPECT_EQ(folder.names(), (std::vector<std::string>{"a folder", "locked.bmp", "read-only.bmp"}));
}

TEST(ReadWholeFile, GivesTheWholeContentOrNothing) {
  TempFolder folder;
  const std::string binary("BM\0\x01\xFF\r\n", 7);
  writeFile(ansiPath(folder / "a.bin"), binary);
  EXPECT_EQ(text(moxilo::readWholeFile(folder / "a.bin")), binary);

  writeFile(ansiPath(folder / "empty"), "");
  EXPECT_TRUE(moxilo::readWholeFile(folder / "empty").empty());
  EXPECT_TRUE(moxilo::readWholeFile(folder / "missing").empty());
  EXPECT_TRUE(moxilo::readWholeFile("").empty());
  EXPECT_TRUE(moxilo::readWholeFile(folder / "").empty());  // the folder itself

  // Others may read meanwhile, but a writer keeps us out.
  HANDLE reader = CreateFileA((folder / "a.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(text(moxilo::readWholeFile(folder / "a.bin")), binary);
  CloseHandle(reader);
  HANDLE writer = CreateFileA((folder / "a.bin").c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_TRUE(moxilo::readWholeFile(folder / "a.bin").empty());
  CloseHandle(writer);
}

TEST(ReadWholeFile, RefusesFilesAboveTheLimit) {
  TempFolder folder;
  const std::string huge = folder / "huge";
  HANDLE file = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size{};
  size.QuadPart = static_cast<LONGLONG>(moxilo::kMaxReadFileSize) + 1;
  ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
  EXPECT_TRUE(moxilo::readWholeFile(huge).empty());
}

// A borderless top-most window whose pixels are given, one colour per pixel
// (0x00RRGGBB, rows top-down), with optional child windows.
class PaintedWindow {
 public:
  PaintedWindow(HWND parent, RECT bounds, std::vector<std::uint32_t> pixels, HRGN shape = nullptr)
      : width_(bounds.right - bounds.left), pixels_(std::move(pixels)) {
    static const ATOM atom = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = windowProc;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"MoxiloCaptureTest";
      return RegisterClassW(&windowClass);
    }();
    const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE | WS_CLIPCHILDREN;
    window_ = CreateWindowExW(parent ? 0 : WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MAKEINTATOM(atom), L"",
                              style, bounds.left, bounds.top, width_, bounds.bottom - bounds.top,
                              parent, nullptr, GetModuleHandleW(nullptr), this);
    if (shape) SetWindowRgn(window_, shape, TRUE);
  }
  ~PaintedWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  HWND get() const { return window_; }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<PaintedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT && self) {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      for (std::size_t i = 0; i < self->pixels_.size(); ++i) {
        const std::uint32_t c = self->pixels_[i];
        SetPixelV(dc, static_cast<int>(i % self->width_), static_cast<int>(i / self->width_),
                  RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF));
      }
      EndPaint(window, &paint);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  int width_;
  std::vector<std::uint32_t> pixels_;
  HWND window_ = nullptr;
};

void pumpUntilPainted(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

std::uint32_t u32(const ByteBuffer& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t u16(const ByteBuffer& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// The colour (0x00RRGGBB) of pixel x, y (from the top) of a 24-bit bottom-up BMP.
std::uint32_t pixelAt(const ByteBuffer& bmp, int x, int y) {
  const int width = static_cast<int>(u32(bmp, 18)), height = static_cast<int>(u32(bmp, 22));
  const std::size_t stride = ((24 * width + 31) & ~31) / 8;
  const std::size_t at = 54 + stride * (height - 1 - y) + 3 * x;
  return bmp[at + 2] << 16 | bmp[at + 1] << 8 | bmp[at];
}

TEST(CaptureWindowImage, FiveByTwoIsABottomUpBmpWithPaddedRows) {
  const std::vector<std::uint32_t> pixels = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0,
                                             0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F};
  PaintedWindow window(nullptr, RECT{40, 40, 45, 42}, pixels);
  pumpUntilPainted(window.get());
  const ByteBuffer bmp = moxilo::captureWindowImage(window.get());
  ASSERT_EQ(bmp.size(), 86u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(u32(bmp, 2), 86u);
  EXPECT_EQ(u32(bmp, 6), 0u);
  EXPECT_EQ(u32(bmp, 10), 54u);
  EXPECT_EQ(u32(bmp, 14), 40u);
  EXPECT_EQ(u32(bmp, 18), 5u);
  EXPECT_EQ(u32(bmp, 22), 2u);
  EXPECT_EQ(u16(bmp, 26), 1u);
  EXPECT_EQ(u16(bmp, 28), 24u);
  EXPECT_EQ(u32(bmp, 30), 0u);
  EXPECT_EQ(u32(bmp, 34), 32u);
  for (std::size_t at : {38u, 42u, 46u, 50u}) EXPECT_EQ(u32(bmp, at), 0u) << "offset " << at;
  // The first stored row is the bottom one, blue first.
  EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54, bmp.begin() + 57),
            (std::vector<std::uint8_t>{0x03, 0x02, 0x01}));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(pixelAt(bmp, x, y), pixels[y * 5 + x]) << "pixel " << x << "," << y;
    }
  }
}

TEST(CaptureWindowImage, IncludesShapedChildWindowsAndGivesTheWindowsSize) {
  PaintedWindow box(nullptr, RECT{60, 60, 196, 190}, std::vector<std::uint32_t>(136 * 130, 0x336699));
  // A child partly outside the box, cut to an ellipse.
  PaintedWindow badge(box.get(), RECT{100, 90, 148, 138}, std::vector<std::uint32_t>(48 * 48, 0xFF0000),
                      CreateEllipticRgn(0, 0, 48, 48));
  pumpUntilPainted(box.get());
  const ByteBuffer bmp = moxilo::captureWindowImage(box.get());
  ASSERT_EQ(bmp.size(), 53'094u);
  EXPECT_EQ(u32(bmp, 2), 53'094u);
  EXPECT_EQ(pixelAt(bmp, 0, 0), 0x336699u);
  EXPECT_EQ(pixelAt(bmp, 124, 114), 0xFF0000u);  // the ellipse's centre
  EXPECT_EQ(pixelAt(bmp, 101, 91), 0x336699u);   // outside the ellipse
  EXPECT_EQ(pixelAt(bmp, 135, 129), 0xFF0000u);
}

TEST(CaptureWindowImage, OnePixelAndNoWindow) {
  PaintedWindow dot(nullptr, RECT{30, 30, 31, 31}, {0xABCDEF});
  pumpUntilPainted(dot.get());
  const ByteBuffer bmp = moxilo::captureWindowImage(dot.get());
  ASSERT_EQ(bmp.size(), 58u);
  EXPECT_EQ(pixelAt(bmp, 0, 0), 0xABCDEFu);

  EXPECT_TRUE(moxilo::captureWindowImage(nullptr).empty());
  HWND gone = dot.get();
  DestroyWindow(gone);
  EXPECT_TRUE(moxilo::captureWindowImage(gone).empty());
}

}  // namespace
}  // namespace e2e
