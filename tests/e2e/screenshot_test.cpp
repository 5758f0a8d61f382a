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

TEST(Screenshot, MainAndAboutWindows) {
  Moxilo app;
  app.waitIdle();
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
  DWORD_PTR result = 0;
  SendMessageTimeoutW(about, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &result);
  const fs::path aboutShot = buildFolder() / "moxilo-about-window.png";
  ASSERT_TRUE(saveScreenshot(aboutShot, withMargin(about)));
  EXPECT_GT(fs::file_size(aboutShot), 1000u);
}

}  // namespace
}  // namespace e2e
