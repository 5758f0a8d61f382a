#include "skinh/window_skinner_win.h"

#include <mutex>
#include <set>
#include <vector>

#include "skinh/aero_shadow_win.h"

namespace moxilo::skinh {
namespace {

std::mutex framesMutex;
std::set<HWND> frames;

// Top-level windows that never get a frame skin even with a caption style.
const wchar_t* const kForeignTopLevelClasses[] = {kShadowClassName, L"#32768", L"tooltips_class32", L"ComboLBox",
                                                   L"IME"};

bool sameClass(const wchar_t* a, const wchar_t* b) { return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL; }

BOOL CALLBACK skinChild(HWND window, LPARAM threadId) {
  if (GetWindowThreadProcessId(window, nullptr) == static_cast<DWORD>(threadId)) {
    skinWindow(window, GetWindowLongPtrW(window, GWL_STYLE));
  }
  return TRUE;
}

BOOL CALLBACK skinTopLevel(HWND window, LPARAM threadId) {
  skinWindow(window, GetWindowLongPtrW(window, GWL_STYLE));
  EnumChildWindows(window, skinChild, threadId);
  return TRUE;
}

}  // namespace

void skinWindow(HWND window, LONG_PTR style) {
  wchar_t name[64] = {};
  if (!GetClassNameW(window, name, static_cast<int>(std::size(name)))) return;
  if (style & WS_CHILD) {
    // Only the standard Button: a control of a class we don't know draws itself.
    if (sameClass(name, L"Button")) attachButtonSkin(window);
    return;
  }
  if ((style & WS_CAPTION) != WS_CAPTION) return;
  for (const wchar_t* foreign : kForeignTopLevelClasses) {
    if (sameClass(name, foreign)) return;
  }
  attachFrameSkin(window);
}

void skinThreadWindows() {
  const DWORD thread = GetCurrentThreadId();
  EnumThreadWindows(thread, skinTopLevel, static_cast<LPARAM>(thread));
}

void refreshSkinnedWindows() {
  std::vector<HWND> snapshot;
  {
    std::lock_guard lock(framesMutex);
    snapshot.assign(frames.begin(), frames.end());
  }
  for (HWND window : snapshot) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, refreshMessage(), 0, 0, SMTO_NORMAL, 2000, &ignored);
  }
}

void rememberFrame(HWND window) {
  std::lock_guard lock(framesMutex);
  frames.insert(window);
}

void forgetFrame(HWND window) {
  std::lock_guard lock(framesMutex);
  frames.erase(window);
}

UINT refreshMessage() {
  static const UINT message = RegisterWindowMessageW(L"MoxiloSkinRefresh");
  return message;
}

}  // namespace moxilo::skinh
