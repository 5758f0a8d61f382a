#include "app/keyboard_rules.h"

#include <algorithm>

namespace moxilo {
namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool takesMnemonics(ControlKind kind) { return kind == ControlKind::Button; }

}  // namespace

std::vector<int> tabOrder(const WindowDesign& design) {
  std::vector<int> order;
  for (int id = static_cast<int>(design.controls.size()); id >= 1; --id) {
    if (design.control(id).tabStop) order.push_back(id);
  }
  return order;
}

int nextTabStop(const WindowDesign& design, int focused, bool forward,
                const ControlAvailable& available) {
  const std::vector<int> order = tabOrder(design);
  const int count = static_cast<int>(order.size());
  if (count == 0) return 0;
  const auto at = std::find(order.begin(), order.end(), focused);
  int start;
  if (at != order.end()) {
    start = static_cast<int>(at - order.begin());
  } else {
    start = forward ? count - 1 : 0;  // so that the first step lands on the first (last) stop
  }
  const int step = forward ? 1 : count - 1;
  for (int i = 1; i <= count; ++i) {
    const int candidate = order[static_cast<std::size_t>((start + step * i) % count)];
    if (available(candidate)) return candidate;
  }
  return 0;
}

char mnemonicOf(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return text[i + 1];
  }
  return 0;
}

int mnemonicTarget(const WindowDesign& design, char character, const ControlAvailable& available) {
  if (character == 0) return 0;
  for (int id = 1; design.hasControl(id); ++id) {
    const ControlDesign& control = design.control(id);
    if (!takesMnemonics(control.kind)) continue;
    const char mnemonic = mnemonicOf(control.text);
    if (mnemonic != 0 && lowerAscii(mnemonic) == lowerAscii(character) && available(id)) return id;
  }
  return 0;
}

bool controlKeepsEnter(const ControlDesign& control) {
  return control.kind == ControlKind::EditBox && control.edit.multiLine && !control.edit.readOnly;
}

KeyAction decideKey(const WindowDesign& design, const KeyPress& press, int focused,
                    const ControlAvailable& available) {
  using Kind = KeyAction::Kind;
  switch (press.key) {
    case KeyPress::Key::Tab: {
      if (press.ctrl || press.alt) return {};
      const int target = nextTabStop(design, focused, !press.shift, available);
      return target != 0 ? KeyAction{Kind::MoveFocus, target} : KeyAction{Kind::Swallow};
    }
    case KeyPress::Key::Escape:
      if (press.shift || press.ctrl || press.alt || !design.settings.escCloses) return {};
      return {Kind::Close};
    case KeyPress::Key::Enter: {
      if (press.alt) return {};
      if (design.hasControl(focused) && controlKeepsEnter(design.control(focused))) return {};
      if (design.settings.enterMovesFocus) {
        const int target = nextTabStop(design, focused, true, available);
        if (target != 0) return {Kind::MoveFocus, target};
      }
      // No default button: Enter neither clicks nor moves anything.
      return {Kind::Swallow};
    }
    case KeyPress::Key::Character: {
      if (!press.alt || press.ctrl || press.shift) return {};
      const int target = mnemonicTarget(design, press.character, available);
      return target != 0 ? KeyAction{Kind::Click, target} : KeyAction{};
    }
    case KeyPress::Key::Other:
      break;
  }
  return {};
}

}  // namespace moxilo
