#include "app/window_frame_win.h"

#include <ole2.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/commands_win.h"
#include "app/key_translation_win.h"
#include "app/keyboard_rules.h"
#include "app/open_window_record_win.h"
#include "app/window_builder_win.h"

namespace moxilo {
namespace {

constexpr char kHiddenOwnerClass[] = "MoxiloHiddenOwner";

// The process state the frame owns for the whole run.
struct Frame {
  HWND hiddenOwner = nullptr;
  std::vector<std::unique_ptr<OpenWindowRecord>> openWindows;  // in opening order
  bool mainLoopStarted = false;
  HWND modalLoopWindow = nullptr;
};

Frame& frame() {
  static Frame state;
  return state;
}

OpenWindowRecord* openWindowOfDesign(const WindowDesign& design) {
  for (const auto& record : frame().openWindows) {
    if (&record->design == &design) return record.get();
  }
  return nullptr;
}

void dropRecord(const OpenWindowRecord* record) {
  auto& open = frame().openWindows;
  open.erase(std::remove_if(open.begin(), open.end(), [record](const auto& r) { return r.get() == record; }),
             open.end());
}

// Dispatches one message after the windows' key handling.
void dispatch(MSG& message) {
  if (preTranslateKey(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void runModalLoop(HWND window) {
  for (;;) {
    if (frame().modalLoopWindow != window) return;
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      WaitMessage();
      continue;
    }
    // A quit request stays queued so that the main loop ends as well.
    if (message.message == WM_QUIT) return;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) continue;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(message);
  }
}

// Focus for a window that has just received it: the control that had it when
// the window was deactivated, else the first available tab stop.
void restoreFocus(OpenWindowRecord& record) {
  HWND remembered = record.rememberedFocus;
  if (remembered != nullptr && IsWindow(remembered) && IsChild(record.window, remembered) &&
      IsWindowVisible(remembered) && IsWindowEnabled(remembered)) {
    SetFocus(remembered);
    return;
  }
  const int first = nextTabStop(record.design, 0, true, [&record](int id) {
    HWND control = record.controls[static_cast<std::size_t>(id - 1)];
    return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control);
  });
  if (first != 0) SetFocus(record.controls[static_cast<std::size_t>(first - 1)]);
}

// Closing: the may-close query has no handler, so closing always goes on.
void closeWindow(OpenWindowRecord& record) {
  if (record.openedModally) {
    for (const auto& [window, wasEnabled] : record.disabledWindows) {
      if (IsWindow(window)) EnableWindow(window, wasEnabled);
    }
    record.disabledWindows.clear();
    record.openedModally = false;
  }
  DestroyWindow(record.window);
}

// The destruction is complete: forget the window, end its modal loop, and
// end the program when it was the last one.
void windowDestroyed(OpenWindowRecord* record) {
  Frame& state = frame();
  const HWND window = record->window;
  dropRecord(record);
  if (state.modalLoopWindow == window) state.modalLoopWindow = nullptr;
  if (state.openWindows.empty() && state.mainLoopStarted) PostQuitMessage(0);
}

LRESULT onControlColour(OpenWindowRecord& record, HDC dc, HWND control, UINT message, WPARAM wParam,
                        LPARAM lParam) {
  const int id = record.idOf(control);
  if (id != 0 && record.backgrounds[static_cast<std::size_t>(id - 1)]) {
    const ControlDesign& design = record.design.control(id);
    const Rgb back = *design.backgroundColor;
    const Rgb text = design.textColor.value_or(Rgb{});
    SetTextColor(dc, RGB(text.red, text.green, text.blue));
    SetBkColor(dc, RGB(back.red, back.green, back.blue));
    return reinterpret_cast<LRESULT>(record.backgrounds[static_cast<std::size_t>(id - 1)].get());
  }
  return DefWindowProcA(record.window, message, wParam, lParam);
}

LRESULT handleMessage(OpenWindowRecord& record, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = record.window;
  switch (message) {
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(lParam);
      const int id = control != nullptr ? record.idOf(control) : 0;
      if (id == 0) break;
      if (HIWORD(wParam) == BN_CLICKED && record.design.control(id).kind == ControlKind::Button) {
        raiseEvent(record, id, Event::Clicked);
      } else if (HIWORD(wParam) == EN_CHANGE) {
        raiseEvent(record, id, Event::TextChanged);
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return onControlColour(record, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message,
                             wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) record.rememberedFocus = focus;
      }
      break;
    case WM_SETFOCUS:
      restoreFocus(record);
      return 0;
    case WM_CLOSE:
      closeWindow(record);
      return 0;
    case WM_NCDESTROY: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      windowDestroyed(&record);
      return result;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK designedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* record = static_cast<OpenWindowRecord*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    record->window = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
  }
  auto* record = reinterpret_cast<OpenWindowRecord*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (record == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return handleMessage(*record, message, wParam, lParam);
}

HWND createHiddenOwnerWindow(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kHiddenOwnerClass;
  RegisterClassExA(&windowClass);
  frame().hiddenOwner =
      CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                      nullptr);
  return frame().hiddenOwner;
}

OpenWindowRecord* findOpenWindow(HWND window) {
  for (const auto& record : frame().openWindows) {
    if (record->window == window) return record.get();
  }
  return nullptr;
}

bool openWindow(const WindowDesign& design, HWND parent, bool modal) {
  Frame& state = frame();
  if (OpenWindowRecord* open = openWindowOfDesign(design)) {
    if (IsIconic(open->window)) {
      ShowWindow(open->window, SW_RESTORE);
    } else {
      SetActiveWindow(open->window);
    }
    return true;
  }
  if (modal) {
    parent = nullptr;
  } else if (parent != nullptr && !IsWindow(parent)) {
    return false;
  }
  HWND owner = parent;
  if (owner == nullptr && (modal || !design.settings.showInTaskbar)) owner = state.hiddenOwner;

  state.openWindows.push_back(std::make_unique<OpenWindowRecord>(design));
  OpenWindowRecord* record = state.openWindows.back().get();
  if (!buildWindow(*record, owner)) {
    // A window that was made has dropped its record while being destroyed.
    dropRecord(record);
    return false;
  }
  const HWND window = record->window;

  raiseEvent(*record, kWindowItself, Event::Created);
  // The created event may have closed the window; the record then is gone.
  if (IsWindow(window) && design.settings.startsVisible) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
  }
  record = findOpenWindow(window);
  if (record != nullptr && modal) {
    record->openedModally = true;
    for (const auto& other : state.openWindows) {
      if (other.get() == record || (GetWindowLongPtrA(other->window, GWL_STYLE) & WS_CHILD) != 0) continue;
      record->disabledWindows.emplace_back(other->window, IsWindowEnabled(other->window) != FALSE);
      EnableWindow(other->window, FALSE);
    }
  }
  if (record != nullptr) record->creationComplete = true;
  if (record != nullptr && modal && design.settings.startsVisible) {
    const HWND outer = state.modalLoopWindow;
    state.modalLoopWindow = window;
    runModalLoop(window);
    state.modalLoopWindow = outer;
  }
  return true;
}

int runMainLoop() {
  frame().mainLoopStarted = true;
  if (frame().openWindows.empty()) return 0;
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);  // the quit request's value
    if (got == -1) return 0;
    dispatch(message);
  }
}

void releaseFrameResources() { OleUninitialize(); }

}  // namespace moxilo
