// Open through the real open-file dialog: what the picture box shows for each
// kind of file, and what the dialog proposes.
#include <gtest/gtest.h>

#include "dialog_helpers.h"

namespace e2e {
namespace {

// True when (x, y) of the box lies inside the Badge's window rectangle.
bool underBadge(const RECT& badge, int x, int y) {
  return x >= badge.left && x < badge.right && y >= badge.top && y < badge.bottom;
}

// Every pixel of the box outside the Badge's rectangle passes `want`; names
// the first that does not.
::testing::AssertionResult outsideBadge(const Pixels& box, const RECT& badge,
                                        const std::function<bool(int x, int y, std::uint32_t)>& want) {
  for (int y = 0; y < box.height; ++y) {
    for (int x = 0; x < box.width; ++x) {
      if (!underBadge(badge, x, y) && !want(x, y, box.at(x, y))) {
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << hex(box.at(x, y));
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// The empty box as the program shows it at start: only the background, one
// colour outside the Badge, read once the window has reached the screen.
struct Start {
  Moxilo app;
  RECT badge = badgeInBox(app);
  Pixels empty = firstShown();

  Pixels firstShown() {
    Pixels box;
    waitForBox(app, [&](const Pixels& b) {
      const std::uint32_t background = b.at(0, 0);
      return background != 0 && outsideBadge(b, badge, [&](int, int, std::uint32_t c) { return c == background; });
    }, box);
    return box;
  }

  bool showsEmpty(const Pixels& box) const {
    return outsideBadge(box, badge, [&](int x, int y, std::uint32_t c) { return c == empty.at(x, y); });
  }
};

// The four blocks of the quadrants fixture, sampled away from the edges
// between them and from the Badge (which covers 88..135 x 90..137).
struct Sample {
  int x, y;
  std::uint32_t colour;
};
const Sample kQuadrantSamples[] = {
    {0, 0, 0xFF0000},    {60, 55, 0xFF0000},   {135, 0, 0x00FF00},  {75, 55, 0x00FF00},
    {0, 129, 0x0000FF},  {60, 75, 0x0000FF},   {75, 75, 0xFFFF00},  {133, 129, 0xFFFF00},
    {135, 80, 0xFFFF00}, {80, 129, 0xFFFF00},
};

::testing::AssertionResult showsQuadrants(const Pixels& box, int tolerance) {
  for (const Sample& s : kQuadrantSamples) {
    if (!closeTo(box.at(s.x, s.y), s.colour, tolerance)) {
      return ::testing::AssertionFailure() << "pixel " << s.x << "," << s.y << " is " << hex(box.at(s.x, s.y))
                                           << ", want " << hex(s.colour);
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(OpenPicture, EachKindShowsStretchedWhateverItsNameSays) {
  struct Case {
    const char* fixture;
    const char* as;
    int tolerance;  // JPEG is lossy
  };
  const Case cases[] = {
      {"quadrants.jpg", "photo.bmp", 12}, {"quadrants.bmp", "photo.jpg", 0},
      {"quadrants.gif", "photo.pcx", 0},  {"quadrants.pcx", "photo.gif", 0},
      {"quadrants.ico", "photo.jpg", 0},  {"quadrants.cur", "photo.ico", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fixture) + " as " + c.as);
    Start start;
    openThrough(start.app, placeFixture(start.app, c.fixture, c.as));
    Pixels box;
    EXPECT_TRUE(waitForBox(start.app, [&](const Pixels& b) { return showsQuadrants(b, c.tolerance); }, box))
        << showsQuadrants(box, c.tolerance).message();
    // The Badge lies on top: its emblem covers the yellow block.
    int emblem = 0;
    for (int y = start.badge.top; y < box.height; ++y) {
      for (int x = start.badge.left; x < box.width; ++x) {
        if (!closeTo(box.at(x, y), 0xFFFF00, c.tolerance)) ++emblem;
      }
    }
    EXPECT_GT(emblem, 1000) << "pixels of the Badge over the picture";
  }
}

TEST(OpenPicture, FilesThatAreNoPictureShowOnlyTheBackground) {
  const char* const refused[] = {"notes.txt", "quadrants16.bmp", "quadrants-rle8.bmp", ""};
  Start start;
  for (const char* name : refused) {
    SCOPED_TRACE(*name ? name : "0-byte file");
    openThrough(start.app, placeFixture(start.app, "quadrants.bmp", "before.jpg"));
    Pixels box;
    ASSERT_TRUE(waitForBox(start.app, [&](const Pixels& b) { return showsQuadrants(b, 0); }, box));
    fs::path file;
    if (*name) {
      file = placeFixture(start.app, name, std::string("no picture ") + name);
    } else {
      file = start.app.folder() / L"empty.jpg";
      writeFile(file, "");
    }
    openThrough(start.app, file);
    EXPECT_TRUE(waitForBox(start.app, [&](const Pixels& b) { return start.showsEmpty(b); }, box))
        << outsideBadge(box, start.badge, [&](int x, int y, std::uint32_t c) { return c == start.empty.at(x, y); })
               .message();
    // The box keeps bytes that are no picture, so Save goes on to its dialog;
    // a 0-byte file leaves no bytes, and Save refuses with its message.
    click(start.app.control(main_ids::kButton2));
    HWND shown = nullptr;
    ASSERT_TRUE(waitUntil([&] {
      shown = *name ? start.app.waitForWindow(start.app.mainWindow(), L"#32770", 0ms) : start.app.messageBox();
      return shown != nullptr;
    })) << (*name ? "no save dialog" : "no message");
    pressButton(shown, *name ? IDCANCEL : IDOK);
    ASSERT_TRUE(waitGone(shown));
    start.app.waitIdle();
  }
}

TEST(OpenPicture, OnePixelFillsTheBoxAndAWidePictureIsSqueezed) {
  Start start;
  openThrough(start.app, placeFixture(start.app, "one-pixel.bmp", "one.bmp"));
  Pixels box;
  auto onePixel = [&](int, int, std::uint32_t c) { return c == 0x2080C0; };
  EXPECT_TRUE(waitForBox(start.app, [&](const Pixels& b) { return outsideBadge(b, start.badge, onePixel); }, box))
      << outsideBadge(box, start.badge, onePixel).message();

  // 272 x 130: the left half, orange, takes the box's left 68 columns.
  openThrough(start.app, placeFixture(start.app, "wide.bmp", "wide.bmp"));
  auto squeezed = [&](int x, int, std::uint32_t c) {
    if (x == 67 || x == 68) return true;  // the blend where the halves meet
    return c == (x < 68 ? 0xE07020u : 0x108070u);
  };
  EXPECT_TRUE(waitForBox(start.app, [&](const Pixels& b) { return outsideBadge(b, start.badge, squeezed); }, box))
      << outsideBadge(box, start.badge, squeezed).message();
}

TEST(OpenPicture, FirstDialogShowsJpgAnEmptyNameAndTheSystemTitle) {
  const std::string systemTitle = systemOpenDialogTitle();
  ASSERT_FALSE(systemTitle.empty());
  Start start;
  HWND dialog = showOpenDialog(start.app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(selectedFileType(dialog), "jpg");
  EXPECT_EQ(fileNameOf(dialog), "");
  EXPECT_EQ(textOf(dialog), systemTitle);
  EXPECT_FALSE(IsWindowEnabled(start.app.mainWindow())) << "the dialog is modal over MainWindow";
  cancel(start.app, dialog);
  EXPECT_TRUE(IsWindowEnabled(start.app.mainWindow()));
}

TEST(OpenPicture, CancelBeforeAnyConfirmationLeavesThePictureEmpty) {
  Start start;
  HWND dialog = showOpenDialog(start.app);
  ASSERT_NE(dialog, nullptr);
  cancel(start.app, dialog);
  EXPECT_TRUE(start.showsEmpty(boxOnScreen(start.app)));
  // No bytes at all: Save refuses with its message.
  click(start.app.control(main_ids::kButton2));
  HWND box = nullptr;
  EXPECT_TRUE(waitUntil([&] { return (box = start.app.messageBox()) != nullptr; }));
  if (box) pressButton(box, IDOK);
}

TEST(OpenPicture, NextDialogProposesTheConfirmedFileAndCancelReadsItAgain) {
  Start start;
  // In a folder of its own, with a decoy of the same name in the program's folder.
  const fs::path folder = start.app.folder() / L"pics";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const fs::path file = folder / L"a.jpg";
  ASSERT_TRUE(CopyFileW(openSaveFixture("quadrants.bmp").c_str(), file.c_str(), FALSE));
  placeFixture(start.app, "wide.bmp", "a.jpg");
  openThrough(start.app, file);
  Pixels box;
  ASSERT_TRUE(waitForBox(start.app, [&](const Pixels& b) { return showsQuadrants(b, 0); }, box));

  // The next dialog starts at that file: confirmed as proposed, it opens it.
  ASSERT_TRUE(CopyFileW(openSaveFixture("one-pixel.bmp").c_str(), file.c_str(), FALSE));
  HWND dialog = showOpenDialog(start.app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fileNameOf(dialog), "a.jpg");
  confirm(start.app, dialog);
  auto onePixel = [&](int, int, std::uint32_t c) { return c == 0x2080C0; };
  EXPECT_TRUE(waitForBox(start.app, [&](const Pixels& b) { return outsideBadge(b, start.badge, onePixel); }, box))
      << outsideBadge(box, start.badge, onePixel).message();

  // Cancel reads the file again in its present state.
  ASSERT_TRUE(CopyFileW(openSaveFixture("quadrants.bmp").c_str(), file.c_str(), FALSE));
  dialog = showOpenDialog(start.app);
  ASSERT_NE(dialog, nullptr);
  cancel(start.app, dialog);
  EXPECT_TRUE(waitForBox(start.app, [&](const Pixels& b) { return showsQuadrants(b, 0); }, box))
      << showsQuadrants(box, 0).message();

  // Deleted meanwhile: the picture becomes empty.
  ASSERT_TRUE(DeleteFileW(file.c_str()));
  dialog = showOpenDialog(start.app);
  ASSERT_NE(dialog, nullptr);
  cancel(start.app, dialog);
  EXPECT_TRUE(waitForBox(start.app, [&](const Pixels& b) { return start.showsEmpty(b); }, box));
}

}  // namespace
}  // namespace e2e
