#include "dialog_helpers.h"

#include <commdlg.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <thread>

namespace e2e {
namespace {

constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileTypeCombo = 0x470;  // cmb1

// The Edit that holds the typed name; the ComboBoxEx32 itself when it has none.
HWND fileNameField(HWND dialog) {
  HWND combo = GetDlgItem(dialog, kFileNameCombo);
  if (combo == nullptr) return nullptr;
  HWND inner = FindWindowExW(combo, nullptr, L"ComboBox", nullptr);
  HWND edit = inner ? FindWindowExW(inner, nullptr, L"Edit", nullptr) : nullptr;
  return edit ? edit : combo;
}

}  // namespace

fs::path openSaveFixture(const std::string& name) {
  std::string path = MOXILO_OPEN_SAVE_FIXTURES;
  std::replace(path.begin(), path.end(), '/', '\\');
  return fs::path(wide("Z:" + path + "\\" + name));
}

fs::path placeFixture(const Moxilo& app, const std::string& name, const std::string& as) {
  const fs::path to = app.folder() / wide(as);
  if (!CopyFileW(openSaveFixture(name).c_str(), to.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy fixture " + name);
  }
  return to;
}

HWND waitForFileDialog(const Moxilo& app) { return app.waitForWindow(app.mainWindow(), L"#32770"); }

HWND showOpenDialog(const Moxilo& app) {
  click(app.control(main_ids::kButton1));
  return waitForFileDialog(app);
}

HWND showSaveDialog(const Moxilo& app) {
  click(app.control(main_ids::kButton2));
  return waitForFileDialog(app);
}

bool waitGone(HWND window, std::chrono::milliseconds timeout) {
  return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

std::string fileNameOf(HWND dialog) { return textOf(fileNameField(dialog)); }

void setFileName(HWND dialog, const fs::path& path) {
  const std::wstring text = path.wstring();
  DWORD_PTR result = 0;
  SendMessageTimeoutW(fileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_BLOCK, 5000, &result);
}

std::string selectedFileType(HWND dialog) {
  HWND combo = GetDlgItem(dialog, kFileTypeCombo);
  DWORD_PTR index = 0;
  if (!combo || !SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_BLOCK, 5000, &index)) return {};
  if (static_cast<LRESULT>(index) == CB_ERR) return {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_BLOCK, 5000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()), SMTO_BLOCK, 5000,
                      &copied);
  text.resize(static_cast<LRESULT>(copied) > 0 ? copied : 0);
  return utf8(text);
}

std::string systemOpenDialogTitle() {
  std::atomic<DWORD> thread{0};
  std::thread shower([&thread] {
    thread = GetCurrentThreadId();
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    GetOpenFileNameW(&dialog);
  });
  HWND found = nullptr;
  waitUntil([&] {
    if (thread == 0) return false;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM param) {
          if (IsWindowVisible(window) && classOf(window) == L"#32770") {
            *reinterpret_cast<HWND*>(param) = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found != nullptr;
  });
  const std::string title = found ? textOf(found) : std::string();
  if (found) pressButton(found, IDCANCEL);
  shower.join();
  return title;
}

HWND waitForOwnedBox(const Moxilo& app, HWND owner, std::chrono::milliseconds timeout) {
  return app.waitForWindow(owner, L"#32770", timeout);
}

void confirm(const Moxilo& app, HWND dialog) {
  pressButton(dialog, IDOK);
  waitGone(dialog);
  app.waitIdle();
}

void cancel(const Moxilo& app, HWND dialog) {
  pressButton(dialog, IDCANCEL);
  waitGone(dialog);
  app.waitIdle();
}

void openThrough(const Moxilo& app, const fs::path& file) {
  HWND dialog = showOpenDialog(app);
  if (!dialog) throw std::runtime_error("no open dialog");
  setFileName(dialog, file);
  confirm(app, dialog);
}

void saveThrough(const Moxilo& app, const fs::path& file) {
  HWND dialog = showSaveDialog(app);
  if (!dialog) throw std::runtime_error("no save dialog");
  setFileName(dialog, file);
  pressButton(dialog, IDOK);
  HWND question = nullptr;
  waitUntil([&] {
    question = app.waitForWindow(dialog, L"#32770", 0ms);
    return question != nullptr || !IsWindow(dialog) || !IsWindowVisible(dialog);
  });
  if (question) pressButton(question, IDYES);
  waitGone(dialog);
  app.waitIdle();
}

Pixels boxOnScreen(const Moxilo& app) {
  app.waitIdle();
  const RECT r = windowRect(app.control(main_ids::kPictureBox));
  return Pixels{r.right - r.left, r.bottom - r.top, screenPixels(r)};
}

RECT badgeInBox(const Moxilo& app) { return rectInParent(app.control(main_ids::kBadge)); }

bool waitForBox(const Moxilo& app, const std::function<bool(const Pixels&)>& condition, Pixels& last,
                std::chrono::milliseconds timeout) {
  return waitUntil(
      [&] {
        last = boxOnScreen(app);
        return condition(last);
      },
      timeout);
}

std::uint32_t le32(const std::string& b, size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
         static_cast<std::uint8_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

std::uint16_t le16(const std::string& b, size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

Pixels bmpPixels(const std::string& bytes) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return {};
  const int width = static_cast<int>(le32(bytes, 18));
  const int height = static_cast<int>(le32(bytes, 22));
  const int bits = le16(bytes, 28);
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096 || (bits != 24 && bits != 32) ||
      le32(bytes, 30) != 0) {
    return {};
  }
  const size_t stride = ((static_cast<size_t>(bits) * width + 31) / 32) * 4;
  const size_t offset = le32(bytes, 10);
  if (offset + stride * height > bytes.size()) return {};
  Pixels pixels{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height)};
  for (int y = 0; y < height; ++y) {
    const size_t row = offset + stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const size_t at = row + static_cast<size_t>(x) * (bits / 8);
      pixels.data[static_cast<size_t>(y) * width + x] = static_cast<std::uint8_t>(bytes[at + 2]) << 16 |
                                                        static_cast<std::uint8_t>(bytes[at + 1]) << 8 |
                                                        static_cast<std::uint8_t>(bytes[at]);
    }
  }
  return pixels;
}

bool closeTo(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
      return false;
    }
  }
  return true;
}

std::string hex(std::uint32_t colour) {
  char text[16];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(colour & 0xFFFFFF));
  return text;
}

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) names.push_back(utf8(entry.path().filename().wstring()));
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace e2e
