#include "app/key_translation_win.h"

#include "app/commands_win.h"
#include "app/keyboard_rules.h"
#include "app/open_window_record_win.h"
#include "app/window_frame_win.h"

namespace moxilo {
namespace {

bool isDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

char characterOfKey(WPARAM key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<char>(key);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<char>('0' + (key - VK_NUMPAD0));
  return 0;
}

bool readKey(const MSG& message, KeyPress& press) {
  // Bit 29 of a system key message: Alt was held.
  const bool altContext = (message.lParam & (1 << 29)) != 0;
  press.shift = isDown(VK_SHIFT);
  press.ctrl = isDown(VK_CONTROL);
  if (message.message == WM_SYSCHAR) {
    const WPARAM c = message.wParam;
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!alnum) return false;
    press.key = KeyPress::Key::Character;
    press.character = static_cast<char>(c);
    press.alt = altContext;
    return true;
  }
  press.alt = (message.message == WM_SYSKEYDOWN && altContext) || isDown(VK_MENU);
  switch (message.wParam) {
    case VK_TAB:
      press.key = KeyPress::Key::Tab;
      return true;
    case VK_ESCAPE:
      press.key = KeyPress::Key::Escape;
      return true;
    case VK_RETURN:
      press.key = KeyPress::Key::Enter;
      return true;
    default:
      press.character = characterOfKey(message.wParam);
      press.key = press.character != 0 ? KeyPress::Key::Character : KeyPress::Key::Other;
      return press.key != KeyPress::Key::Other;
  }
}

}  // namespace

bool preTranslateKey(MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN && message.message != WM_SYSCHAR) {
    return false;
  }
  if (message.hwnd == nullptr || !IsWindowEnabled(message.hwnd)) return false;
  HWND top = GetAncestor(message.hwnd, GA_ROOT);
  OpenWindowRecord* record = findOpenWindow(top);
  if (record == nullptr) return false;
  KeyPress press;
  if (!readKey(message, press)) return false;

  const auto available = [record](int id) {
    HWND control = record->controls[static_cast<std::size_t>(id - 1)];
    return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control);
  };
  const KeyAction action = decideKey(record->design, press, record->idOf(message.hwnd), available);
  switch (action.kind) {
    case KeyAction::Kind::PassOn:
      return false;
    case KeyAction::Kind::Swallow:
      return true;
    case KeyAction::Kind::MoveFocus:
      SetFocus(record->controls[static_cast<std::size_t>(action.control - 1)]);
      return true;
    case KeyAction::Kind::Click: {
      const MSG original = message;
      raiseEvent(*record, action.control, Event::Clicked);
      // The system still sees the key itself (not translated, so no character
      // follows): otherwise releasing Alt would open the system menu.
      if (original.message == WM_SYSKEYDOWN && IsWindow(original.hwnd)) DispatchMessageA(&original);
      return true;
    }
    case KeyAction::Kind::Close:
      SendMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
  }
  return false;
}

}  // namespace moxilo
