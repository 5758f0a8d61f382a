#include "app/keyboard_rules.h"

#include <gtest/gtest.h>

#include <set>

namespace moxilo {
namespace {

// MainWindow's buttons by id.
constexpr int kButton1 = 11, kButton2 = 10, kButton3 = 7, kButton4 = 6, kButton5 = 5, kButton6 = 4,
              kButton7 = 3;

struct Availability {
  std::set<int> unavailable;
  ControlAvailable test() const {
    return [this](int id) { return unavailable.count(id) == 0; };
  }
};

KeyPress key(KeyPress::Key k, bool shift = false, bool ctrl = false, bool alt = false) {
  return {k, 0, shift, ctrl, alt};
}

KeyPress altChar(char c, bool shift = false, bool ctrl = false) {
  return {KeyPress::Key::Character, c, shift, ctrl, true};
}

TEST(KeyboardRules, MainWindowTabOrderIsButton1ToButton7) {
  EXPECT_EQ(tabOrder(mainWindowDesign()),
            (std::vector<int>{kButton1, kButton2, kButton3, kButton4, kButton5, kButton6, kButton7}));
  EXPECT_EQ(tabOrder(aboutWindowDesign()), std::vector<int>{1});
}

TEST(KeyboardRules, TabAndShiftTabWrapAndSkipUnavailable) {
  const WindowDesign& design = mainWindowDesign();
  Availability all;
  Availability some{{kButton2, kButton7}};
  struct Case {
    const Availability* availability;
    int from;
    bool forward;
    int want;
  };
  const Case cases[] = {
      {&all, kButton1, true, kButton2},  {&all, kButton7, true, kButton1},
      {&all, kButton1, false, kButton7}, {&all, kButton3, false, kButton2},
      {&all, 0, true, kButton1},         {&all, 0, false, kButton7},
      {&all, 12, true, kButton1},  // from a control outside the order
      {&some, kButton1, true, kButton3}, {&some, kButton6, true, kButton1},
      {&some, kButton1, false, kButton6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nextTabStop(design, c.from, c.forward, c.availability->test()), c.want)
        << "from " << c.from << (c.forward ? " forward" : " back");
  }
  Availability none{{kButton1, kButton2, kButton3, kButton4, kButton5, kButton6, kButton7}};
  EXPECT_EQ(nextTabStop(design, kButton1, true, none.test()), 0);
}

TEST(KeyboardRules, MnemonicOfText) {
  EXPECT_EQ(mnemonicOf("打开(&D)"), 'D');
  EXPECT_EQ(mnemonicOf("a&&b&c"), 'c');
  EXPECT_EQ(mnemonicOf("&&"), 0);
  EXPECT_EQ(mnemonicOf("end&"), 0);
  EXPECT_EQ(mnemonicOf("右边点"), 0);
}

TEST(KeyboardRules, AltLetterClicksTheButtonInEitherCase) {
  const WindowDesign& design = mainWindowDesign();
  Availability all;
  struct Case {
    KeyPress press;
    KeyAction::Kind kind;
    int control;
  };
  const Case cases[] = {
      {altChar('D'), KeyAction::Kind::Click, kButton1},
      {altChar('d'), KeyAction::Kind::Click, kButton1},
      {altChar('v'), KeyAction::Kind::Click, kButton2},
      {altChar('D', true), KeyAction::Kind::PassOn, 0},        // Shift held
      {altChar('D', false, true), KeyAction::Kind::PassOn, 0}, // Ctrl held
      {altChar('x'), KeyAction::Kind::PassOn, 0},
      {altChar('1'), KeyAction::Kind::PassOn, 0},
      {{KeyPress::Key::Character, 'd'}, KeyAction::Kind::PassOn, 0},  // no Alt
  };
  for (const Case& c : cases) {
    const KeyAction action = decideKey(design, c.press, kButton5, all.test());
    EXPECT_EQ(action.kind, c.kind) << "char " << c.press.character;
    EXPECT_EQ(action.control, c.control) << "char " << c.press.character;
  }
  Availability noOpen{{kButton1}};
  EXPECT_EQ(decideKey(design, altChar('d'), 0, noOpen.test()).kind, KeyAction::Kind::PassOn);
}

TEST(KeyboardRules, EscClosesAndEnterDoesNothingInMainWindow) {
  const WindowDesign& design = mainWindowDesign();
  Availability all;
  const auto kindOf = [&](KeyPress press) { return decideKey(design, press, kButton1, all.test()).kind; };
  EXPECT_EQ(kindOf(key(KeyPress::Key::Escape)), KeyAction::Kind::Close);
  EXPECT_EQ(kindOf(key(KeyPress::Key::Escape, true)), KeyAction::Kind::PassOn);
  EXPECT_EQ(kindOf(key(KeyPress::Key::Escape, false, true)), KeyAction::Kind::PassOn);
  EXPECT_EQ(kindOf(key(KeyPress::Key::Enter)), KeyAction::Kind::Swallow);
  EXPECT_EQ(kindOf(key(KeyPress::Key::Other)), KeyAction::Kind::PassOn);
  const KeyAction tab = decideKey(design, key(KeyPress::Key::Tab), kButton1, all.test());
  EXPECT_EQ(tab.kind, KeyAction::Kind::MoveFocus);
  EXPECT_EQ(tab.control, kButton2);
  const KeyAction back = decideKey(design, key(KeyPress::Key::Tab, true), kButton1, all.test());
  EXPECT_EQ(back.control, kButton7);
}

TEST(KeyboardRules, AboutEditBoxKeepsEnterAndTheFocusOnTab) {
  const WindowDesign& design = aboutWindowDesign();
  Availability all;
  EXPECT_EQ(decideKey(design, key(KeyPress::Key::Enter), 1, all.test()).kind, KeyAction::Kind::PassOn);
  EXPECT_EQ(decideKey(design, key(KeyPress::Key::Escape), 1, all.test()).kind, KeyAction::Kind::Close);
  const KeyAction tab = decideKey(design, key(KeyPress::Key::Tab), 1, all.test());
  EXPECT_EQ(tab.kind, KeyAction::Kind::MoveFocus);
  EXPECT_EQ(tab.control, 1);
  EXPECT_EQ(decideKey(design, altChar('a'), 1, all.test()).kind, KeyAction::Kind::PassOn);
}

}  // namespace
}  // namespace moxilo
