// MainWindow under Wine: geometry, controls, keyboard, the Badge and the ways to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "app/author.h"
#include "driver.h"

namespace e2e {
namespace {

using namespace main_ids;

std::string fromU8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// Windows of the program that are visible now, leaving out the skin's shadows.
std::set<HWND> visibleSet(const Moxilo& app) {
  std::set<HWND> windows;
  for (HWND window : app.visibleTopLevels()) {
    if (classOf(window) != L"MoxiloSkinShadow") windows.insert(window);
  }
  return windows;
}

// Moves the focus with Tab until `target` has it.
void focusByTab(const Moxilo& app, HWND target) {
  for (int i = 0; i < 8 && app.focus() != target; ++i) {
    HWND before = app.focus();
    postKey(before, VK_TAB);
    waitUntil([&] { return app.focus() != before; }, 3s);
  }
  ASSERT_EQ(app.focus(), target);
}

TEST(MainWindow, OpensCentredWithItsFrameAndTitle) {
  Moxilo app;
  HWND main = app.mainWindow();
  EXPECT_TRUE(sameRect(windowRect(main), RECT{307, 272, 307 + 410, 272 + 223})) << describe(windowRect(main));
  const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN), WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);

  const std::string title = fromU8(u8"Moxilo     by：Tavren QQ:") + moxilo::kAuthorContactNumber;
  EXPECT_EQ(textOf(main), title);
  EXPECT_EQ(ansiTextOf(main), gbk(title));
  EXPECT_EQ(ansiTextOf(main), "Moxilo     by\xA3\xBATavren QQ:" + std::string(moxilo::kAuthorContactNumber));

}

TEST(MainWindow, ControlsHaveTheirDesignPlaceTextParentAndOrder) {
  Moxilo app;
  HWND main = app.mainWindow();
  struct Case {
    int id;
    int parent;  // 0: MainWindow
    RECT rect;
    std::u8string_view text;
  };
  const std::string userGroup = fromU8(u8"  软件交流群:") + moxilo::kAuthorUserGroupNumber;
  const std::string download = fromU8(u8"全部软件:") + moxilo::kAuthorDownloadLink;
  const Case cases[] = {
      {kLabel2, 0, {208, 168, 416, 192}, u8""},
      {kLabel1, 0, {0, 168, 208, 192}, u8""},
      {kButton7, 0, {312, 8, 392, 160}, u8"联\r\n\r\n系\r\n\r\n作\r\n\r\n者"},
      {kButton6, 0, {248, 136, 304, 160}, u8"下边点"},
      {kButton5, 0, {176, 136, 232, 160}, u8"上边点"},
      {kButton4, 0, {176, 104, 232, 128}, u8"左边点"},
      {kButton3, 0, {248, 104, 304, 128}, u8"右边点"},
      {kBadge, kPictureBox, {88, 90, 136, 138}, u8""},
      {kButton2, 0, {176, 56, 304, 88}, u8"保存(&V)"},
      {kButton1, 0, {176, 8, 304, 40}, u8"打开(&D)"},
      {kPictureBox, kGroupBox, {8, 14, 144, 144}, u8""},
      {kGroupBox, 0, {8, 8, 160, 160}, u8"头像区"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("control " + std::to_string(c.id));
    HWND control = app.control(c.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), c.parent == 0 ? main : app.control(c.parent));
    EXPECT_TRUE(sameRect(rectInParent(control), c.rect)) << describe(rectInParent(control));
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_TRUE(IsWindowEnabled(control));
    if (c.id == kLabel2) {
      EXPECT_EQ(textOf(control), userGroup);
    } else if (c.id == kLabel1) {
      EXPECT_EQ(textOf(control), download);
    } else {
      EXPECT_EQ(textOf(control), fromU8(c.text));
    }
  }
  EXPECT_EQ(app.control(9), nullptr) << "the file dialog component has no window";
  EXPECT_NE(GetWindowLongPtrW(app.control(kLabel1), GWL_STYLE) & WS_BORDER, 0);
  EXPECT_EQ(ansiTextOf(app.control(kGroupBox)), gbk(fromU8(u8"头像区")));

  // Earlier in design order lies above later among siblings.
  std::vector<int> order;
  for (HWND child = GetWindow(main, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    order.push_back(GetDlgCtrlID(child));
  }
  EXPECT_EQ(order, (std::vector<int>{kLabel2, kLabel1, kButton7, kButton6, kButton5, kButton4, kButton3,
                                     kButton2, kButton1, kGroupBox}));
}

// The tallest run of rows with dark (caption) pixels inside a button, and the
// widest run of columns: the size of one glyph of its caption. Rows and columns
// that are dark most of their length are the skin's frame lines, not ink.
struct GlyphSize {
  int height = 0;
  int width = 0;
};

GlyphSize largestGlyph(HWND button) {
  RECT r = windowRect(button);
  InflateRect(&r, -2, -2);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const std::vector<std::uint32_t> pixels = screenPixels(r);
  std::vector<int> rowInk(height), columnInk(width);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 110) {
        ++rowInk[y];
        ++columnInk[x];
      }
    }
  }
  const auto longestInkRun = [](const std::vector<int>& ink, int length) {
    int best = 0, run = 0;
    for (int n : ink) best = std::max(best, run = (n > 0 && n * 10 < length * 6) ? run + 1 : 0);
    return best;
  };
  return {longestInkRun(rowInk, width), longestInkRun(columnInk, height)};
}

// The driver cannot ask another process's button for its font under Wine
// (WM_GETFONT answers 0 across processes), so the font shows on screen: 按钮7
// draws its caption in a 20-pixel face, the other buttons in the GUI font.
TEST(MainWindow, ContactButtonDrawsItsCaptionInItsOwnLargeFont) {
  Moxilo app;
  HWND contact = app.control(main_ids::kButton7);
  HWND nudge = app.control(main_ids::kButton3);
  GlyphSize large, small;
  ASSERT_TRUE(waitUntil([&] {
    large = largestGlyph(contact);
    small = largestGlyph(nudge);
    return large.height > 0 && small.height > 0;
  }));
  EXPECT_GE(large.height, 16) << "按钮7";
  EXPECT_GE(large.width, 16) << "按钮7";
  EXPECT_LE(small.height, 13) << "按钮3 " << small.width << "x" << small.height << ", 按钮7 " << large.width << "x" << large.height;
}

TEST(MainWindow, TabVisitsTheButtonsInOrderAndWraps) {
  Moxilo app;
  const int order[] = {kButton1, kButton2, kButton3, kButton4, kButton5, kButton6, kButton7, kButton1};
  ASSERT_TRUE(waitUntil([&] { return app.focus() == app.control(kButton1); }))
      << "the first activation focuses 按钮1";
  for (std::size_t i = 1; i < std::size(order); ++i) {
    postKey(app.control(order[i - 1]), VK_TAB);
    EXPECT_TRUE(waitUntil([&] { return app.focus() == app.control(order[i]); }, 3s)) << "step " << i;
  }
  sendKey(app.mainWindow(), VK_TAB, {VK_SHIFT});
  EXPECT_TRUE(waitUntil([&] { return app.focus() == app.control(kButton7); }, 3s)) << "Shift+Tab wraps back";
}

TEST(MainWindow, NudgeButtonsMoveTheBadgeOnePixelPerClick) {
  Moxilo app;
  HWND badge = app.control(kBadge);
  const auto leftEdge = [&] { return rectInParent(badge).left; };
  const auto topEdge = [&] { return rectInParent(badge).top; };
  for (int i = 0; i < 48; ++i) click(app.control(kButton3));
  EXPECT_TRUE(waitUntil([&] { return leftEdge() == 136; })) << "left " << leftEdge();
  for (int i = 0; i < 48; ++i) click(app.control(kButton4));
  EXPECT_TRUE(waitUntil([&] { return leftEdge() == 88; })) << "left " << leftEdge();
  for (int i = 0; i < 40; ++i) click(app.control(kButton6));
  EXPECT_TRUE(waitUntil([&] { return topEdge() == 130; })) << "top " << topEdge();
  for (int i = 0; i < 170; ++i) click(app.control(kButton5));
  EXPECT_TRUE(waitUntil([&] { return topEdge() == -40; })) << "top " << topEdge();
  EXPECT_EQ(leftEdge(), 88);
  const RECT r = rectInParent(badge);
  EXPECT_EQ(r.right - r.left, 48);
  EXPECT_EQ(r.bottom - r.top, 48);
}

// The nudge reads the live window position, so the test places the Badge next
// to a bound and lets the clicks run into it. A last click on the other axis
// shows that every click before it has been handled.
TEST(MainWindow, BadgeEdgesStopAtTheBounds) {
  Moxilo app;
  HWND badge = app.control(kBadge);
  struct Case {
    int startLeft, startTop, button, wantLeft, wantTop, otherButton, otherLeft, otherTop;
  };
  const Case cases[] = {
      {32625, 90, kButton3, 32627, 90, kButton6, 32627, 91},
      {-32625, 90, kButton4, -32627, 90, kButton6, -32627, 91},
      {88, 32625, kButton6, 88, 32627, kButton3, 89, 32627},
      {88, -32625, kButton5, 88, -32627, kButton3, 89, -32627},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("button " + std::to_string(c.button));
    SetWindowPos(badge, nullptr, c.startLeft, c.startTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < 5; ++i) click(app.control(c.button));
    click(app.control(c.otherButton));
    EXPECT_TRUE(waitUntil([&] {
      const RECT r = rectInParent(badge);
      return r.left == c.otherLeft && r.top == c.otherTop;
    })) << describe(rectInParent(badge));
  }
}

TEST(MainWindow, BadgeCornersLetClicksThroughToThePictureBox) {
  Moxilo app;
  HWND badge = app.control(kBadge);
  HWND box = app.control(kPictureBox);
  app.waitIdle();
  const RECT r = windowRect(badge);
  struct Case {
    int x, y;
    bool onBadge;
  };
  const Case cases[] = {
      {0, 0, false},    // black corner, top left
      {41, 0, false},   // black corner, top right
      {0, 39, false},   // black corner, bottom left
      {21, 20, true},   // the emblem's centre
      {21, 2, true},    // inside the rim at the top
      {44, 20, false},  // the columns right of the 42-wide picture
  };
  for (const Case& c : cases) {
    const POINT point{r.left + c.x, r.top + c.y};
    EXPECT_EQ(WindowFromPoint(point), c.onBadge ? badge : box) << "at " << c.x << "," << c.y;
  }
}

// With no picture the box shows its button-face background, and the Badge
// its emblem (a white star at the centre) with the black corners cut away.
TEST(MainWindow, BadgeShowsItsEmblemOverTheEmptyBox) {
  Moxilo app;
  const RECT badge = windowRect(app.control(kBadge));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const std::uint32_t faceRgb = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
  const auto pixelAt = [&](int x, int y) {
    app.waitIdle();
    return screenPixels(RECT{badge.left + x, badge.top + y, badge.left + x + 1, badge.top + y + 1})[0];
  };
  EXPECT_TRUE(waitUntil([&] { return pixelAt(21, 20) == 0xFFFFFF; })) << std::hex << pixelAt(21, 20);
  EXPECT_TRUE(waitUntil([&] { return pixelAt(0, 0) == faceRgb; })) << std::hex << pixelAt(0, 0);
  EXPECT_TRUE(waitUntil([&] { return pixelAt(45, 20) == faceRgb; })) << std::hex << pixelAt(45, 20);
}

TEST(MainWindow, AltMnemonicsRunTheirButtonsWhereverTheFocusIs) {
  Moxilo app;
  HWND button5 = app.control(kButton5);
  focusByTab(app, button5);

  postKey(button5, 'V', true);
  HWND box = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (box = app.messageBox()) != nullptr; })) << "Alt+V: no message box";
  EXPECT_EQ(messageBoxText(box), fromU8(u8"请打开图片"));
  pressButton(box, IDOK);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));

  postKey(button5, 'D', true);
  HWND dialog = app.waitForWindow(app.mainWindow(), L"#32770");
  ASSERT_NE(dialog, nullptr) << "Alt+D: no open dialog";
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(waitUntil([&] { return app.focus() == button5; }, 3s)) << "the mnemonic did not move the focus";
  EXPECT_TRUE(app.running());
}

TEST(MainWindow, EnterDoesNothing) {
  Moxilo app;
  ASSERT_TRUE(waitUntil([&] { return app.focus() == app.control(kButton1); }));
  const std::set<HWND> before = visibleSet(app);
  postKey(app.control(kButton1), VK_RETURN);
  focusByTab(app, app.control(kButton7));
  postKey(app.control(kButton7), VK_RETURN);
  app.waitIdle();
  app.waitIdle();
  for (HWND w : visibleSet(app)) {
    if (!before.count(w)) ADD_FAILURE() << "Enter opened a window: " << utf8(classOf(w)) << " " << textOf(w);
  }
  EXPECT_TRUE(IsWindowEnabled(app.mainWindow()));
  EXPECT_EQ(app.focus(), app.control(kButton7));
}

// Space clicks the focused button; the focus that MainWindow had when it lost
// activation comes back when it is activated again.
TEST(MainWindow, SpaceClicksTheFocusedButtonAndFocusSurvivesDeactivation) {
  Moxilo app;
  ASSERT_TRUE(waitUntil([&] { return app.focus() == app.control(kButton1); }));
  HWND right = app.control(kButton3);
  HWND badge = app.control(kBadge);
  focusByTab(app, right);

  sendKey(app.mainWindow(), VK_SPACE);
  EXPECT_TRUE(waitUntil([&] { return rectInParent(badge).left == 89; })) << describe(rectInParent(badge));
  EXPECT_EQ(app.focus(), right);

  // Another program's window takes the activation, then MainWindow gets it back.
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 60, 40,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == other; }));
  ASSERT_TRUE(waitUntil([&] { return app.focus() != right; })) << "the inactive program has no focus";
  SetForegroundWindow(app.mainWindow());
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == app.mainWindow(); }));
  EXPECT_TRUE(waitUntil([&] { return app.focus() == right; })) << "focus is back on 按钮3";
  DestroyWindow(other);
}

enum class Ending { Escape, CloseBox, AltF4 };

class MainWindowEnding : public testing::TestWithParam<Ending> {};

TEST_P(MainWindowEnding, EndsTheProgramWithExitCodeZero) {
  Moxilo app;
  ASSERT_TRUE(waitUntil([&] { return app.focus() != nullptr; }));
  switch (GetParam()) {
    case Ending::Escape:
      postKey(app.focus(), VK_ESCAPE);
      break;
    case Ending::CloseBox:
      PostMessageW(app.mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case Ending::AltF4:
      postKey(app.focus(), VK_F4, true);
      break;
  }
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Ways, MainWindowEnding,
                         testing::Values(Ending::Escape, Ending::CloseBox, Ending::AltF4),
                         [](const testing::TestParamInfo<Ending>& ending) {
                           switch (ending.param) {
                             case Ending::Escape:
                               return "Escape";
                             case Ending::CloseBox:
                               return "CloseBox";
                             case Ending::AltF4:
                               return "AltF4";
                           }
                           return "";
                         });

}  // namespace
}  // namespace e2e
