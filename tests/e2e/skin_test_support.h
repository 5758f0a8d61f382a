#pragma once
// Shared pieces of the skinning end-to-end tests: the build's engine and skin
// files as the driver sees them, the About window, and the binding failure.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "driver.h"

namespace e2e {

// Build outputs and sources, seen from inside Wine (Z: is the root).
inline fs::path hostPath(const char* unixPath) { return fs::path(std::string("Z:") + unixPath); }
inline fs::path builtEngine() { return hostPath(MOXILO_SKIN_ENGINE_DLL); }
inline fs::path skinSource(int n) {
  char name[16];
  std::snprintf(name, sizeof name, "skin%02d.she", n);
  return hostPath(MOXILO_SKINS_DIR) / name;
}

// Expected program texts, written as UTF-8 whatever the execution character set.
inline std::string fromUtf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// Opens About with 按钮7 and waits until it is visible and MainWindow is disabled.
// About is the captioned window besides MainWindow: the real engine adds
// uncaptioned top-level windows of its own (the Aero shadow).
inline HWND openAboutWindow(const Moxilo& app) {
  click(app.control(main_ids::kButton7));
  HWND about = nullptr;
  waitUntil([&] {
    for (HWND window : app.visibleTopLevels()) {
      const bool captioned = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
      if (window != app.mainWindow() && captioned && classOf(window) != L"#32770") about = window;
    }
    return about != nullptr && !IsWindowEnabled(app.mainWindow());
  });
  return about;
}

// Closes About and waits until MainWindow is enabled again.
inline bool closeAboutWindow(const Moxilo& app, HWND about) {
  PostMessageW(about, WM_CLOSE, 0, 0);
  return waitUntil([&] { return !IsWindow(about) && IsWindowEnabled(app.mainWindow()); });
}

// A program that cannot bind `entry`: the fatal box's exact text and caption,
// shown while no other window of the program is visible, then exit code -1
// once it is confirmed.
inline void expectBindingFailure(const Moxilo& app, std::u8string_view entry) {
  HWND box = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (box = app.messageBox()) != nullptr || !app.running(); }));
  ASSERT_NE(box, nullptr) << "the program ended without a message box";
  EXPECT_EQ(messageBoxText(box),
            fromUtf8(u8"运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“") +
                fromUtf8(entry) + fromUtf8(u8"”\r\n"));
  EXPECT_EQ(textOf(box), fromUtf8(u8"错误"));
  EXPECT_EQ(app.visibleTopLevels(), std::vector<HWND>{box});
  pressButton(box, IDOK);
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(0xFFFFFFFF));
}

}  // namespace e2e
