// AboutWindow under Wine: opened modally by 按钮7 over a disabled MainWindow,
// owned by the hidden owner window, with its editable design text.
#include <gtest/gtest.h>

#include <string_view>

#include "app/author.h"
#include "driver.h"

namespace e2e {
namespace {

std::string fromU8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

std::string designText() {
  return fromU8(u8"关于作者：\r\n\r\n          作者：Tavren\r\n\r\n          ＱＱ：") +
         moxilo::kAuthorContactNumber + fromU8(u8"\r\n  \r\n          ＱＱ群：") +
         moxilo::kAuthorUserGroupNumber + fromU8(u8"\r\n\r\n    全部软件下载地址:") +
         moxilo::kAuthorDownloadLink + "\r\n";
}

// Clicks 按钮7 and waits for AboutWindow: visible, owned, MainWindow disabled.
HWND openAbout(const Moxilo& app) {
  click(app.control(main_ids::kButton7));
  HWND about = nullptr;
  waitUntil([&] {
    for (HWND window : app.visibleTopLevels()) {
      HWND owner = GetWindow(window, GW_OWNER);
      if (window != app.mainWindow() && owner != nullptr && !IsWindowVisible(owner)) about = window;
    }
    return about != nullptr && !IsWindowEnabled(app.mainWindow());
  });
  return about;
}

// The caret, read through the program's thread: before the first character it
// lies at the edit box's top-left corner.
bool caretAtStart(const Moxilo& app, HWND edit) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(app.threadId(), &info) && info.hwndCaret == edit && info.rcCaret.left <= 4 &&
         info.rcCaret.top <= 4;
}

TEST(AboutWindow, OpensCentredModalAndOwnedByTheHiddenOwner) {
  Moxilo app;
  HWND about = openAbout(app);
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(sameRect(windowRect(about), RECT{366, 305, 366 + 291, 305 + 157})) << describe(windowRect(about));
  EXPECT_EQ(textOf(about), fromU8(u8"关于作者  by：Tavren"));
  EXPECT_FALSE(IsWindowEnabled(app.mainWindow()));

  HWND owner = GetWindow(about, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_NE(owner, app.mainWindow());
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_NE(GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  DWORD ownerPid = 0;
  GetWindowThreadProcessId(owner, &ownerPid);
  EXPECT_EQ(ownerPid, app.pid());

  HWND edit = GetDlgItem(about, kAboutEditId);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(classOf(edit), L"Edit");
  EXPECT_TRUE(sameRect(rectInParent(edit), RECT{0, 0, 288, 128})) << describe(rectInParent(edit));
  EXPECT_EQ(textOf(edit), designText());
  const LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
  EXPECT_EQ(style & (ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN), ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
  EXPECT_EQ(style & (ES_AUTOHSCROLL | ES_NOHIDESEL | ES_READONLY | WS_VSCROLL | WS_HSCROLL), 0);
  EXPECT_NE(GetWindowLongPtrW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_TRUE(waitUntil([&] { return app.focus() == edit; }, 3s));
  EXPECT_TRUE(waitUntil([&] { return caretAtStart(app, edit); }, 3s)) << "caret before the first character";

  PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(about) && IsWindowEnabled(app.mainWindow()); }));
  EXPECT_TRUE(app.running());
}

TEST(AboutWindow, EscInTheEditBoxClosesOnlyAbout) {
  Moxilo app;
  HWND about = openAbout(app);
  ASSERT_NE(about, nullptr);
  postKey(GetDlgItem(about, kAboutEditId), VK_ESCAPE);
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(about) && IsWindowEnabled(app.mainWindow()); }));
  app.waitIdle();
  EXPECT_TRUE(app.running());
  EXPECT_TRUE(IsWindowVisible(app.mainWindow()));
}

TEST(AboutWindow, EditsStayInOneOpeningAndTabKeepsTheFocus) {
  Moxilo app;
  HWND about = openAbout(app);
  ASSERT_NE(about, nullptr);
  HWND edit = GetDlgItem(about, kAboutEditId);
  postKey(edit, VK_RETURN);
  postKey(edit, 'X');
  postKey(edit, VK_TAB);
  app.waitIdle();
  EXPECT_TRUE(waitUntil([&] { return textOf(edit) == "\r\nx" + designText(); }, 3s)) << textOf(edit);
  EXPECT_TRUE(IsWindow(about)) << "Enter closed AboutWindow";
  EXPECT_EQ(app.focus(), edit);

  PostMessageW(about, WM_CLOSE, 0, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(about) && IsWindowEnabled(app.mainWindow()); }));
  HWND again = openAbout(app);
  ASSERT_NE(again, nullptr);
  HWND freshEdit = GetDlgItem(again, kAboutEditId);
  EXPECT_EQ(textOf(freshEdit), designText());
  EXPECT_TRUE(waitUntil([&] { return caretAtStart(app, freshEdit); }, 3s));
}

}  // namespace
}  // namespace e2e
