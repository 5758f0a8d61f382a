#include "skinh/skin_engine_win.h"

#include <atomic>
#include <mutex>

#include "skinh/window_skinner_win.h"

namespace moxilo::skinh {
namespace {

std::mutex stateMutex;
ThemePtr theme;
// The creation hook of this thread; thread-local so that a thread that reuses
// the id of an ended one is hooked afresh (the system drops an ended thread's hooks).
thread_local HHOOK creationHookOfThread = nullptr;
std::atomic<bool> aero{false};

LRESULT CALLBACK creationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    skinWindow(reinterpret_cast<HWND>(wParam), static_cast<LONG_PTR>(create->lpcs->style));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Subclassed windows and the hook call into this module until the process
// ends, so it must never be unloaded.
void pinModule() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&creationHook), &self);
}

void hookCurrentThread() {
  if (creationHookOfThread) return;
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&creationHook), &self);
  creationHookOfThread = SetWindowsHookExW(WH_CBT, creationHook, self, GetCurrentThreadId());
}

}  // namespace

bool attachSkin(ByteSpan bytes) {
  SkinParseResult parsed = parseSkin(bytes);
  if (!parsed.skin) return false;
  auto next = std::make_shared<const SkinTheme>(std::move(*parsed.skin));
  {
    std::lock_guard lock(stateMutex);
    theme = std::move(next);
  }
  pinModule();
  hookCurrentThread();
  skinThreadWindows();
  refreshSkinnedWindows();
  return true;
}

void setAero(bool on) {
  if (aero.exchange(on) != on) refreshSkinnedWindows();
}

ThemePtr currentTheme() {
  std::lock_guard lock(stateMutex);
  return theme;
}

bool aeroEnabled() { return aero.load(); }

}  // namespace moxilo::skinh
