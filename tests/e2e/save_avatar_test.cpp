// Save through the real save-file dialog: the file holds the picture box as
// the screen shows it, whatever the name; refusals and failures leave every
// file as it was and say nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialog_helpers.h"

namespace e2e {
namespace {

constexpr int kBoxWidth = 136, kBoxHeight = 130;
constexpr size_t kAvatarFileSize = 53'094;

// UTF-8 text from a u8 literal; plain literals are compiled to GBK.
std::string utf8Text(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// The BadgeImage that the build compiles into the program.
Pixels badgeImage() {
  std::string path = MOXILO_BADGE_IMAGE;
  std::replace(path.begin(), path.end(), '/', '\\');
  return bmpPixels(readFile(fs::path(wide("Z:" + path))));
}

// Clicks a nudge button `times` times and waits until the Badge has moved.
void nudge(const Moxilo& app, int button, int times) {
  const RECT before = badgeInBox(app);
  for (int i = 0; i < times; ++i) click(app.control(button));
  const int dx = button == main_ids::kButton3 ? times : button == main_ids::kButton4 ? -times : 0;
  const int dy = button == main_ids::kButton6 ? times : button == main_ids::kButton5 ? -times : 0;
  waitUntil([&] {
    const RECT now = badgeInBox(app);
    return now.left == before.left + dx && now.top == before.top + dy;
  });
  app.waitIdle();
}

::testing::AssertionResult samePixels(const Pixels& have, const Pixels& want) {
  if (have.width != want.width || have.height != want.height) {
    return ::testing::AssertionFailure() << "size " << have.width << "x" << have.height << ", want "
                                         << want.width << "x" << want.height;
  }
  for (int y = 0; y < want.height; ++y) {
    for (int x = 0; x < want.width; ++x) {
      if (have.at(x, y) != want.at(x, y)) {
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << hex(have.at(x, y))
                                             << ", want " << hex(want.at(x, y));
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// The saved pixels equal the box as the screen shows it. The screen may lag
// behind the program's last repaint on a loaded machine, so this waits until
// the screen has caught up, and names the first differing pixel otherwise.
::testing::AssertionResult matchesScreen(const Moxilo& app, const Pixels& saved) {
  Pixels box;
  if (waitForBox(app, [&](const Pixels& b) { return b.data == saved.data; }, box)) {
    return ::testing::AssertionSuccess();
  }
  return samePixels(saved, box);
}

// The file is a BmpFileImage of the picture box: every header field as the
// layout gives it for 136 x 130 at 24 bits, rows bottom-up.
void expectAvatarHeaders(const std::string& file) {
  ASSERT_EQ(file.size(), kAvatarFileSize);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(le32(file, 2), kAvatarFileSize);
  EXPECT_EQ(le16(file, 6), 0);
  EXPECT_EQ(le16(file, 8), 0);
  EXPECT_EQ(le32(file, 10), 54u);
  EXPECT_EQ(le32(file, 14), 40u);
  EXPECT_EQ(static_cast<std::int32_t>(le32(file, 18)), kBoxWidth);
  EXPECT_EQ(static_cast<std::int32_t>(le32(file, 22)), kBoxHeight);  // positive: bottom-up
  EXPECT_EQ(le16(file, 26), 1);
  EXPECT_EQ(le16(file, 28), 24);
  EXPECT_EQ(le32(file, 30), 0u);
  EXPECT_EQ(le32(file, 34), 408u * 130u);
  for (size_t at : {38u, 42u, 46u, 50u}) EXPECT_EQ(le32(file, at), 0u) << "offset " << at;
}

// No dialog and no message box of the program is up.
::testing::AssertionResult noDialogUp(const Moxilo& app) {
  app.waitIdle();
  for (HWND window : app.visibleTopLevels()) {
    if (classOf(window) == L"#32770") {
      return ::testing::AssertionFailure() << "up: \"" << textOf(window) << "\" " << messageBoxText(window);
    }
  }
  return ::testing::AssertionSuccess();
}

// The system icon that the icon control shows on screen: each candidate is
// drawn over the control's background and compared with the screen's pixels;
// the closest wins.
LPCWSTR shownSystemIcon(HWND iconControl) {
  const RECT r = windowRect(iconControl);
  const int size = GetSystemMetrics(SM_CXICON);
  const std::vector<std::uint32_t> screen = screenPixels(RECT{r.left, r.top, r.left + size, r.top + size});
  const std::uint32_t background = screen[0];
  LPCWSTR best = nullptr;
  long long bestDistance = -1;
  for (LPCWSTR candidate : {IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION}) {
    HDC screenDC = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screenDC);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDC, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF));
    RECT all{0, 0, size, size};
    FillRect(memory, &all, brush);
    DrawIconEx(memory, 0, 0, LoadIconW(nullptr, candidate), size, size, 0, nullptr, DI_NORMAL);
    long long distance = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const COLORREF drawn = GetPixel(memory, x, y);
        const std::uint32_t shown = screen[static_cast<size_t>(y) * size + x];
        distance += std::abs(static_cast<int>(GetRValue(drawn)) - static_cast<int>(shown >> 16)) +
                    std::abs(static_cast<int>(GetGValue(drawn)) - static_cast<int>((shown >> 8) & 0xFF)) +
                    std::abs(static_cast<int>(GetBValue(drawn)) - static_cast<int>(shown & 0xFF));
      }
    }
    SelectObject(memory, old);
    DeleteObject(brush);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screenDC);
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = candidate;
    }
  }
  return best;
}

// MainWindow with the photo opened.
struct WithPhoto {
  Moxilo app;
  fs::path photo = placeFixture(app, "photo.jpg", "photo.jpg");
  std::string photoBytes = readFile(photo);
  WithPhoto() {
    openThrough(app, photo);
    app.waitIdle();
  }
};

TEST(SaveAvatar, WithoutAPictureShowsOnlyTheMessage) {
  Moxilo app;
  struct Way {
    const char* name;
    std::function<void()> press;
  };
  const Way ways[] = {
      {"click", [&] { click(app.control(main_ids::kButton2)); }},
      {"Alt+V", [&] { postKey(app.focus() ? app.focus() : app.mainWindow(), 'V', true); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    way.press();
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = app.messageBox()) != nullptr; }));
    EXPECT_EQ(messageBoxText(box), utf8Text(u8"请打开图片"));
    EXPECT_EQ(textOf(box), utf8Text(u8"信息："));
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    // Task-modal: the thread's windows are disabled although the box has no owner.
    EXPECT_FALSE(IsWindowEnabled(app.mainWindow()));
    EXPECT_EQ(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not system-modal";
    HWND icon = GetDlgItem(box, 0x440);
    ASSERT_NE(icon, nullptr);
    // Polled: the screen shows the icon once the box has been painted.
    EXPECT_TRUE(waitUntil([&] { return shownSystemIcon(icon) == IDI_INFORMATION; }, 5s))
        << "the information icon";
    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(IsWindowVisible(ok));
    for (int other : {IDCANCEL, IDYES, IDNO, IDRETRY, IDABORT, IDIGNORE}) {
      HWND button = GetDlgItem(box, other);
      EXPECT_TRUE(button == nullptr || !IsWindowVisible(button)) << "button " << other;
    }
    EXPECT_EQ(app.waitForWindow(app.mainWindow(), L"#32770", 0ms), nullptr) << "a file dialog";
    pressButton(box, IDOK);
    EXPECT_TRUE(waitGone(box));
    EXPECT_TRUE(noDialogUp(app));
    EXPECT_TRUE(IsWindowEnabled(app.mainWindow()));
  }
}

TEST(SaveAvatar, FileHoldsTheBoxAsOnScreenWithTheBadgeWhereItIs) {
  const Pixels badge = badgeImage();
  ASSERT_EQ(badge.width, 42);
  ASSERT_EQ(badge.height, 40);
  WithPhoto run;
  nudge(run.app, main_ids::kButton3, 3);
  nudge(run.app, main_ids::kButton5, 5);
  const RECT at = badgeInBox(run.app);
  ASSERT_EQ(at.left, 91);
  ASSERT_EQ(at.top, 85);

  const fs::path withBadge = run.app.folder() / L"avatar.bmp";
  saveThrough(run.app, withBadge);
  const std::string file = readFile(withBadge);
  expectAvatarHeaders(file);
  const Pixels saved = bmpPixels(file);
  EXPECT_TRUE(matchesScreen(run.app, saved));
  int emblem = 0;
  for (int y = 0; y < badge.height; ++y) {
    for (int x = 0; x < badge.width; ++x) {
      if (badge.at(x, y) == 0 || at.left + x >= kBoxWidth || at.top + y >= kBoxHeight) continue;
      ++emblem;
      EXPECT_EQ(hex(saved.at(at.left + x, at.top + y)), hex(badge.at(x, y))) << "emblem pixel " << x << "," << y;
    }
  }
  EXPECT_GT(emblem, 1000);

  // Wholly out of the box (leftEdge 136): the file shows the picture alone,
  // which is also what the Badge's black corners showed.
  nudge(run.app, main_ids::kButton3, kBoxWidth - at.left);
  ASSERT_EQ(badgeInBox(run.app).left, kBoxWidth);
  const fs::path withoutBadge = run.app.folder() / L"alone.bmp";
  saveThrough(run.app, withoutBadge);
  const std::string aloneFile = readFile(withoutBadge);
  expectAvatarHeaders(aloneFile);
  const Pixels alone = bmpPixels(aloneFile);
  EXPECT_TRUE(matchesScreen(run.app, alone));
  int changed = 0;
  for (int y = 0; y < kBoxHeight; ++y) {
    for (int x = 0; x < kBoxWidth; ++x) {
      const int bx = x - at.left, by = y - at.top;
      const bool onEmblem = bx >= 0 && bx < badge.width && by >= 0 && by < badge.height && badge.at(bx, by) != 0;
      if (onEmblem) {
        changed += alone.at(x, y) != saved.at(x, y);
      } else {
        ASSERT_EQ(hex(alone.at(x, y)), hex(saved.at(x, y))) << "picture beneath at " << x << "," << y;
      }
    }
  }
  EXPECT_GT(changed, emblem / 2) << "the emblem is gone";
}

TEST(SaveAvatar, ContentIsBmpWhateverTheNameExtensionOrFilter) {
  WithPhoto run;
  // The proposed name is the opened photo; confirming it and answering the
  // replace question with Yes writes the BMP into the .jpg file.
  HWND dialog = showSaveDialog(run.app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fileNameOf(dialog), "photo.jpg");
  EXPECT_EQ(selectedFileType(dialog), "jpg");
  pressButton(dialog, IDOK);
  HWND question = waitForOwnedBox(run.app, dialog);
  ASSERT_NE(question, nullptr);
  pressButton(question, IDYES);
  ASSERT_TRUE(waitGone(dialog));
  run.app.waitIdle();
  expectAvatarHeaders(readFile(run.photo));

  std::vector<std::string> names = namesIn(run.app.folder());
  const fs::path noExtension = run.app.folder() / L"avatar";
  saveThrough(run.app, noExtension);
  expectAvatarHeaders(readFile(noExtension));

  const fs::path jpgName = run.app.folder() / L"x.jpg";
  saveThrough(run.app, jpgName);
  expectAvatarHeaders(readFile(jpgName));
  // Exactly those names: no extension was added to either.
  names.insert(names.end(), {"avatar", "x.jpg"});
  std::sort(names.begin(), names.end());
  EXPECT_EQ(namesIn(run.app.folder()), names);
}

TEST(SaveAvatar, SecondSaveToOneNameAsksAndNoKeepsTheDialogAndTheFile) {
  WithPhoto run;
  const fs::path target = run.app.folder() / L"a.bmp";
  saveThrough(run.app, target);
  const std::string first = readFile(target);
  expectAvatarHeaders(first);

  nudge(run.app, main_ids::kButton4, 20);
  HWND dialog = showSaveDialog(run.app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fileNameOf(dialog), "a.bmp");
  pressButton(dialog, IDOK);
  HWND question = waitForOwnedBox(run.app, dialog);
  ASSERT_NE(question, nullptr);
  pressButton(question, IDNO);
  ASSERT_TRUE(waitGone(question));
  EXPECT_TRUE(IsWindowVisible(dialog)) << "No keeps the dialog open";
  EXPECT_EQ(readFile(target), first);

  pressButton(dialog, IDOK);
  question = waitForOwnedBox(run.app, dialog);
  ASSERT_NE(question, nullptr);
  pressButton(question, IDYES);
  ASSERT_TRUE(waitGone(dialog));
  run.app.waitIdle();
  const std::string second = readFile(target);
  expectAvatarHeaders(second);
  EXPECT_NE(second, first);
  EXPECT_TRUE(matchesScreen(run.app, bmpPixels(second)));
}

TEST(SaveAvatar, CancelWritesNothingNotEvenOverTheOpenedPicture) {
  WithPhoto run;
  const std::vector<std::string> before = namesIn(run.app.folder());
  HWND dialog = showSaveDialog(run.app);
  ASSERT_NE(dialog, nullptr);
  cancel(run.app, dialog);
  EXPECT_TRUE(noDialogUp(run.app));
  EXPECT_EQ(readFile(run.photo), run.photoBytes);
  EXPECT_EQ(namesIn(run.app.folder()), before);
}

TEST(SaveAvatar, FailedWritesLeaveTheFileAndNoStrayFileAndSayNothing) {
  WithPhoto run;
  const std::string old = "the file as it was";
  const fs::path readOnly = run.app.folder() / L"read-only.bmp";
  writeFile(readOnly, old);
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  const fs::path locked = run.app.folder() / L"locked.bmp";
  writeFile(locked, old);
  const std::vector<std::string> before = namesIn(run.app.folder());

  saveThrough(run.app, readOnly);
  EXPECT_TRUE(noDialogUp(run.app));
  EXPECT_EQ(readFile(readOnly), old);
  EXPECT_NE(GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  saveThrough(run.app, locked);
  EXPECT_TRUE(noDialogUp(run.app));
  CloseHandle(holder);
  EXPECT_EQ(readFile(locked), old);

  // A missing folder: the dialog itself refuses the path, and nothing is made.
  HWND dialog = showSaveDialog(run.app);
  ASSERT_NE(dialog, nullptr);
  setFileName(dialog, run.app.folder() / L"missing" / L"a.bmp");
  pressButton(dialog, IDOK);
  HWND refusal = waitForOwnedBox(run.app, dialog);
  ASSERT_NE(refusal, nullptr);
  pressButton(refusal, IDOK);
  ASSERT_TRUE(waitGone(refusal));
  EXPECT_TRUE(IsWindowVisible(dialog));
  cancel(run.app, dialog);
  EXPECT_TRUE(noDialogUp(run.app));

  EXPECT_EQ(namesIn(run.app.folder()), before);
  EXPECT_EQ(readFile(run.photo), run.photoBytes);
}

TEST(SaveAvatar, NothingCapturedWritesNothing) {
  WithPhoto run;
  const std::string old = "the file as it was";
  const fs::path existing = run.app.folder() / L"keep.bmp";
  writeFile(existing, old);
  const std::vector<std::string> before = namesIn(run.app.folder());
  // A box of no pixels gives an empty capture.
  ASSERT_TRUE(SetWindowPos(run.app.control(main_ids::kPictureBox), nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  saveThrough(run.app, existing);
  EXPECT_EQ(readFile(existing), old);
  saveThrough(run.app, run.app.folder() / L"new.bmp");
  EXPECT_TRUE(noDialogUp(run.app));
  EXPECT_EQ(namesIn(run.app.folder()), before);
}

TEST(SaveAvatar, OpenAfterSaveIsTheOpenDialogAndCancelShowsTheSavedFile) {
  const std::string openTitle = systemOpenDialogTitle();
  WithPhoto run;
  nudge(run.app, main_ids::kButton6, 4);
  const fs::path saved = run.app.folder() / L"b.bmp";
  saveThrough(run.app, saved);
  const Pixels savedPixels = bmpPixels(readFile(saved));
  ASSERT_EQ(savedPixels.width, kBoxWidth);

  HWND dialog = showOpenDialog(run.app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(textOf(dialog), openTitle) << "the open-file dialog";
  EXPECT_EQ(fileNameOf(dialog), "b.bmp");
  cancel(run.app, dialog);

  // The saved avatar is the picture now, Badge drawn in, and the Badge window
  // lies over it again at the same place: the box looks the same as the file.
  HWND badgeWindow = run.app.control(main_ids::kBadge);
  EXPECT_TRUE(IsWindowVisible(badgeWindow));
  Pixels box;
  EXPECT_TRUE(waitForBox(run.app, [&](const Pixels& b) { return samePixels(b, savedPixels); }, box))
      << samePixels(box, savedPixels).message();
  // And it is the saved file that shows, not the photo: move the Badge away and
  // its picture stays in the file's pixels.
  nudge(run.app, main_ids::kButton3, 48);
  const RECT away = badgeInBox(run.app);
  ASSERT_GE(away.left, kBoxWidth);
  EXPECT_TRUE(waitForBox(run.app, [&](const Pixels& b) { return samePixels(b, savedPixels); }, box))
      << samePixels(box, savedPixels).message();
}

TEST(SaveAvatar, AnimationPlaysOnAndTheFileHoldsOneWholeFrame) {
  const std::uint32_t frames[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
  auto frameOf = [&](std::uint32_t colour) {
    return static_cast<int>(std::find(std::begin(frames), std::end(frames), colour) - std::begin(frames));
  };
  Moxilo app;
  openThrough(app, placeFixture(app, "animation.gif", "animation.gif"));
  // Playing: the corner of the box goes through the frames.
  auto playing = [&] {
    std::vector<int> seen;
    waitUntil([&] {
      const int frame = frameOf(boxOnScreen(app).at(0, 0));
      if (frame < 4 && (seen.empty() || seen.back() != frame)) seen.push_back(frame);
      return seen.size() >= 3;
    });
    return seen.size() >= 3;
  };
  ASSERT_TRUE(playing());

  const fs::path target = app.folder() / L"frame.bmp";
  saveThrough(app, target);
  const std::string file = readFile(target);
  expectAvatarHeaders(file);
  const Pixels saved = bmpPixels(file);
  // One frame, not parts of two: every pixel outside the Badge has its colour.
  const RECT badge = badgeInBox(app);
  const std::uint32_t frame = saved.at(0, 0);
  EXPECT_LT(frameOf(frame), 4) << hex(frame);
  for (int y = 0; y < kBoxHeight; ++y) {
    for (int x = 0; x < kBoxWidth; ++x) {
      const bool underBadge = x >= badge.left && y >= badge.top;
      if (underBadge) continue;
      ASSERT_EQ(hex(saved.at(x, y)), hex(frame)) << "pixel " << x << "," << y;
    }
  }
  EXPECT_TRUE(playing()) << "the animation goes on after the save";
}

}  // namespace
}  // namespace e2e
