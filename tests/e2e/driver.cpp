#include "driver.h"

#include <gdiplus.h>

#include <sstream>
#include <stdexcept>
#include <thread>

#include "base/scoped_gdi_win.h"
#include "base/top_down_dib_win.h"

namespace e2e {
namespace {

std::wstring modulePath() {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  return path;
}

fs::path freshFolder() {
  static int counter = 0;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  for (;;) {
    fs::path folder = fs::path(temp) / (L"moxilo-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                                        L"-" + std::to_wstring(++counter));
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot make a temp folder");
  }
}

// Clears attributes below `folder` (hidden, read-only) so that it can be removed.
void removeFolder(const fs::path& folder) {
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(folder, ec)) {
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  fs::remove_all(folder, ec);
}

struct TopLevelSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopLevelSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK findControl(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(window) == search->id) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  ~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

bool pngEncoder(CLSID* clsid) {
  UINT count = 0, bytes = 0;
  Gdiplus::GetImageEncodersSize(&count, &bytes);
  if (bytes == 0) return false;
  std::vector<unsigned char> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, bytes, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

fs::path buildFolder() { return fs::path(modulePath()).parent_path(); }

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
}

Moxilo::Moxilo() : Moxilo(Options{}) {}

Moxilo::Moxilo(Options options) : folder_(freshFolder()) {
  const fs::path exe = folder_ / L"moxilo.exe";
  if (!CopyFileW((buildFolder() / L"moxilo.exe").c_str(), exe.c_str(), TRUE)) {
    throw std::runtime_error("cannot copy moxilo.exe");
  }
  if (options.prepare) options.prepare(folder_);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder_.c_str(), &startup, &process_)) {
    throw std::runtime_error("cannot start moxilo.exe");
  }
  if (!options.waitForMainWindow) return;
  waitUntil([&] {
    for (HWND window : visibleTopLevels()) {
      if (GetWindow(window, GW_OWNER) == nullptr && classOf(window) != L"#32770") {
        main_ = window;
        return true;
      }
    }
    return !running();
  });
  if (main_ == nullptr) throw std::runtime_error("MainWindow did not appear");
}

Moxilo::~Moxilo() {
  if (process_.hProcess != nullptr) {
    if (running()) {
      TerminateProcess(process_.hProcess, 0xDEAD);
      WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  removeFolder(folder_);
}

HWND Moxilo::control(int id) const {
  ControlSearch search{id, nullptr};
  EnumChildWindows(main_, findControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Moxilo::running() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Moxilo::waitForExit(std::chrono::milliseconds timeout) const {
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

void Moxilo::waitIdle() const {
  DWORD_PTR result = 0;
  if (main_ != nullptr && IsWindow(main_)) {
    SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &result);
  }
}

std::vector<HWND> Moxilo::visibleTopLevels() const {
  TopLevelSearch search{pid(), {}};
  EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Moxilo::waitForWindow(HWND owner, const std::wstring& className,
                           std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  waitUntil(
      [&] {
        for (HWND window : visibleTopLevels()) {
          if (GetWindow(window, GW_OWNER) == owner && classOf(window) == className) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeout);
  return found;
}

HWND Moxilo::messageBox() const {
  for (HWND window : visibleTopLevels()) {
    if (GetWindow(window, GW_OWNER) == nullptr && classOf(window) == L"#32770") return window;
  }
  return nullptr;
}

HWND Moxilo::focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(threadId(), &info)) return nullptr;
  return info.hwndFocus;
}

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring wide(const std::string& utf8Text) {
  if (utf8Text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(),
                                    static_cast<int>(utf8Text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(), static_cast<int>(utf8Text.size()),
                      out.data(), n);
  return out;
}

std::string gbk(const std::string& utf8Text) {
  const std::wstring w = wide(utf8Text);
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(936, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(936, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::string textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_BLOCK, 5000, &copied);
  text.resize(copied);
  return utf8(text);
}

std::string ansiTextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(length + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied);
  return text;
}

std::wstring classOf(HWND window) {
  wchar_t name[256];
  const int n = GetClassNameW(window, name, 256);
  return std::wstring(name, n > 0 ? n : 0);
}

RECT windowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

RECT rectInParent(HWND window) {
  RECT r = windowRect(window);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string describe(const RECT& r) {
  std::ostringstream out;
  out << r.left << "," << r.top << " " << (r.right - r.left) << "x" << (r.bottom - r.top);
  return out.str();
}

void click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void postKey(HWND target, UINT vk, bool alt) {
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16) | (alt ? (1L << 29) : 0);
  const LPARAM up = down | (1L << 30) | (1L << 31);
  PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, down);
  PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, up);
}

void sendKey(HWND window, UINT vk, std::initializer_list<UINT> modifiers) {
  SetForegroundWindow(window);
  waitUntil([&] { return GetForegroundWindow() == window; }, 2s);
  std::vector<INPUT> inputs;
  auto key = [&](UINT code, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(code);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(code, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  for (UINT m : modifiers) key(m, false);
  key(vk, false);
  key(vk, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) key(*it, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string messageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text != nullptr ? textOf(text) : std::string();
}

void pressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

std::vector<std::uint32_t> screenPixels(const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
  moxilo::ScopedWindowDC screen(nullptr);
  moxilo::ScopedMemoryDC memory(screen.get());
  const BITMAPINFO info = moxilo::topDownDibInfo(width, height);
  void* bits = nullptr;
  moxilo::ScopedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return pixels;
  {
    moxilo::ScopedSelect selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  const auto* source = static_cast<const std::uint32_t*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = source[i] & 0x00FFFFFF;
  return pixels;
}

bool saveScreenshot(const fs::path& file, std::optional<RECT> screenRect) {
  const RECT r = screenRect.value_or(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN),
                                          GetSystemMetrics(SM_CYSCREEN)});
  const int width = r.right - r.left, height = r.bottom - r.top;
  const std::vector<std::uint32_t> pixels = screenPixels(r);
  GdiplusSession session;
  CLSID png;
  if (!pngEncoder(&png)) return false;
  Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppRGB,
                         reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels.data())));
  return bitmap.Save(file.c_str(), &png, nullptr) == Gdiplus::Ok;
}

void writeFile(const fs::path& file, const std::string& bytes) {
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + file.string());
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

std::string readFile(const fs::path& file) {
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER size{};
  GetFileSizeEx(h, &size);
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  CloseHandle(h);
  return bytes;
}

}  // namespace e2e
