#pragma once
// What a window does with a key press before the focused control sees it: tab
// order, mnemonics, Esc and Enter, decided from the window's design.
// Platform-free; the Windows side reads the key and carries the action out.
#include <functional>
#include <string_view>
#include <vector>

#include "app/window_design.h"

namespace moxilo {

struct KeyPress {
  enum class Key { Tab, Escape, Enter, Character, Other };
  Key key = Key::Other;
  char character = 0;  // Key::Character: an ASCII letter or digit
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

struct KeyAction {
  enum class Kind {
    PassOn,     // the focused control or the system handles the key
    Swallow,    // used up, nothing happens
    MoveFocus,  // focus `control`
    Click,      // run `control`'s clicked event, focus unchanged
    Close,      // close the window as its close box does
  };
  Kind kind = Kind::PassOn;
  int control = 0;
};

// Whether a control's window is visible and enabled right now.
using ControlAvailable = std::function<bool(int id)>;

// The tab stops in Tab order. Every control has the same tab rank, and equal
// ranks go in reverse design order.
std::vector<int> tabOrder(const WindowDesign& design);

// The next (or previous) available tab stop after `focused`, wrapping around;
// from a control outside the order, the first (or last). 0 when none is available.
int nextTabStop(const WindowDesign& design, int focused, bool forward,
                const ControlAvailable& available);

// The character that follows the first single "&" of a text ("&&" shows an
// ampersand and marks nothing); 0 when there is none.
char mnemonicOf(std::string_view text);

// The first available control in design order that takes mnemonics (buttons)
// and whose mnemonic is `character` in either case; 0 when none.
int mnemonicTarget(const WindowDesign& design, char character, const ControlAvailable& available);

// Whether the control keeps Enter for itself: a multi-line edit box that can
// be changed inserts a line break.
bool controlKeepsEnter(const ControlDesign& control);

// The window's decision for a key press aimed at `focused` (0: the window
// itself or no control).
KeyAction decideKey(const WindowDesign& design, const KeyPress& press, int focused,
                    const ControlAvailable& available);

}  // namespace moxilo
