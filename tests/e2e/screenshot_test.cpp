// Leaves screenshots of the skinned windows in the build folder, for people:
// moxilo-main-window.png and moxilo-about-window.png.
#include <gtest/gtest.h>

#include <algorithm>

#include "driver.h"

namespace e2e {
namespace {

// The window with a margin around it, so that the Aero shadow shows too.
RECT withMargin(HWND window) {
  RECT r = windowRect(window);
  constexpr int kMargin = 16;
  return RECT{std::max(0L, r.left - kMargin), std::max(0L, r.top - kMargin), r.right + kMargin,
              r.bottom + kMargin};
}

// A window reaches the screen some time after the program has handled its
// messages: wait until the control's middle shows neither the desktop (the
// corner of the screen, which no window of the program covers) nor the black
// of a fresh window surface.
bool waitUntilPainted(HWND control) {
  const std::vector<std::uint32_t> desktop(16, screenPixels(RECT{0, 0, 1, 1})[0]);
  const std::vector<std::uint32_t> black(16, 0);
  return waitUntil([&] {
    const RECT r = windowRect(control);
    const LONG x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    const std::vector<std::uint32_t> middle = screenPixels(RECT{x - 2, y - 2, x + 2, y + 2});
    return middle != black && middle != desktop;
  });
}

TEST(Screenshot, MainAndAboutWindows) {
  Moxilo app;
  for (int id : {main_ids::kButton1, main_ids::kButton2, main_ids::kButton3, main_ids::kButton4,
                 main_ids::kButton5, main_ids::kButton6, main_ids::kButton7, main_ids::kPictureBox}) {
    ASSERT_TRUE(waitUntilPainted(app.control(id))) << "control " << id;
  }
  const fs::path mainShot = buildFolder() / "moxilo-main-window.png";
  ASSERT_TRUE(saveScreenshot(mainShot, withMargin(app.mainWindow())));
  EXPECT_GT(fs::file_size(mainShot), 1000u);

  click(app.control(main_ids::kButton7));
  HWND about = nullptr;
  ASSERT_TRUE(waitUntil([&] {
    for (HWND window : app.visibleTopLevels()) {
      const bool captioned = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
      if (window != app.mainWindow() && captioned && classOf(window) != L"#32770") about = window;
    }
    return about != nullptr;
  }));
  ASSERT_TRUE(waitUntilPainted(GetDlgItem(about, kAboutEditId)));
  const fs::path aboutShot = buildFolder() / "moxilo-about-window.png";
  ASSERT_TRUE(saveScreenshot(aboutShot, withMargin(about)));
  EXPECT_GT(fs::file_size(aboutShot), 1000u);
}

}  // namespace
}  // namespace e2e
