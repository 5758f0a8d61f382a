#pragma once
// The Windows-side test driver's core: runs moxilo.exe from a fresh folder,
// finds its windows, sends input the way a user's would arrive (posted to the
// program's message loop), reads texts, pixels and the exit code. Every wait
// polls a condition with a timeout; nothing sleeps a fixed time.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Control ids: each control's 1-based place in its window's design order.
namespace main_ids {
constexpr int kLabel2 = 1, kLabel1 = 2, kButton7 = 3, kButton6 = 4, kButton5 = 5, kButton4 = 6,
              kButton3 = 7, kBadge = 8, kButton2 = 10, kButton1 = 11, kPictureBox = 12,
              kGroupBox = 13;
}
constexpr int kAboutEditId = 1;

// The folder of the running driver, where moxilo.exe and the test DLLs are built.
fs::path buildFolder();

// Polls `condition` every 10 ms until it holds (true) or `timeout` passes (false).
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// One run of the program, copied into a fresh temporary folder so that every run
// starts with a clean RunDirectory.
class Moxilo {
 public:
  struct Options {
    // Runs after moxilo.exe is copied into the folder and before it starts.
    std::function<void(const fs::path& folder)> prepare;
    // Waits until MainWindow is visible (off for runs that end in a fatal error).
    bool waitForMainWindow = true;
  };

  Moxilo();
  explicit Moxilo(Options options);
  ~Moxilo();  // ends the process if it still runs and removes the folder
  Moxilo(const Moxilo&) = delete;
  Moxilo& operator=(const Moxilo&) = delete;

  const fs::path& folder() const { return folder_; }
  DWORD pid() const { return process_.dwProcessId; }
  DWORD threadId() const { return process_.dwThreadId; }
  HWND mainWindow() const { return main_; }
  HWND control(int id) const;  // a control of MainWindow, found by id among all descendants

  bool running() const;
  // Waits for the process to end and gives its exit code (all 32 bits).
  std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout = 10s) const;
  // Returns once the program's UI thread has handled what was posted before.
  void waitIdle() const;

  // Visible top-level windows of the program, in z-order.
  std::vector<HWND> visibleTopLevels() const;
  // Waits for a visible top-level window of the program whose owner is `owner`
  // (nullptr: no owner) and whose class is `className`; nullptr on timeout.
  HWND waitForWindow(HWND owner, const std::wstring& className,
                     std::chrono::milliseconds timeout = 10s) const;
  // The visible message box of the program with no owner, if any.
  HWND messageBox() const;
  // The focused window of the program's UI thread.
  HWND focus() const;

 private:
  fs::path folder_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

std::string utf8(const std::wstring& text);
std::wstring wide(const std::string& utf8Text);
// The GBK (code page 936) bytes of a UTF-8 text: what the program's narrow texts hold.
std::string gbk(const std::string& utf8Text);
std::string textOf(HWND window);      // the window text as UTF-8
std::string ansiTextOf(HWND window);  // the window text in the ANSI code page (GBK bytes)
std::wstring classOf(HWND window);
RECT windowRect(HWND window);  // on the screen
RECT rectInParent(HWND window);  // in the parent's client coordinates
bool sameRect(const RECT& a, const RECT& b);
std::string describe(const RECT& r);

// A click as the button's own message loop sees it (BM_CLICK, posted).
void click(HWND button);
// Key presses posted to `target` through the program's message loop. With alt
// the key comes as WM_SYSKEYDOWN with the context bit set.
void postKey(HWND target, UINT vk, bool alt = false);
// Real keyboard input through SendInput, after bringing `window` to the front;
// modifiers are pressed around the key (VK_SHIFT, VK_CONTROL, VK_MENU).
void sendKey(HWND window, UINT vk, std::initializer_list<UINT> modifiers = {});
// The message box's text (static id 0xFFFF) as UTF-8.
std::string messageBoxText(HWND box);
// Presses a dialog button by id (posted WM_COMMAND).
void pressButton(HWND dialog, int id);

// Screen pixels (0x00RRGGBB, rows top-down) of a screen rectangle, read through
// the screen DC. Wait for the program to be idle before reading.
std::vector<std::uint32_t> screenPixels(const RECT& screenRect);
// Saves a screen rectangle (default: the whole desktop) as a PNG file.
bool saveScreenshot(const fs::path& file, std::optional<RECT> screenRect = std::nullopt);

// Writes a whole file; reads a whole file (empty when missing).
void writeFile(const fs::path& file, const std::string& bytes);
std::string readFile(const fs::path& file);

}  // namespace e2e
