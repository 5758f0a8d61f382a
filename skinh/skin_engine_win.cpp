#include "skinh/skin_engine_win.h"

#include <atomic>
#include <map>
#include <mutex>

#include "skinh/window_skinner_win.h"

namespace moxilo::skinh {
namespace {

std::mutex stateMutex;
ThemePtr theme;
std::map<DWORD, HHOOK> hooks;  // one creation hook per thread that attached a skin
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
  const DWORD thread = GetCurrentThreadId();
  std::lock_guard lock(stateMutex);
  if (hooks.count(thread)) return;
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&creationHook), &self);
  if (HHOOK hook = SetWindowsHookExW(WH_CBT, creationHook, self, thread)) hooks[thread] = hook;
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
