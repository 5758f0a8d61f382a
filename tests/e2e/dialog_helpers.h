#pragma once
// Helpers for the Open and Save tests: the system file dialogs as the program
// shows them, the picture box's pixels on screen, BMP files and the pictures
// made by tests/fixtures/open_save/make_fixtures.sh. Dialog controls are found
// by id and owner only: their texts are localized.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "driver.h"

namespace e2e {

// The fixture `name` in Windows form.
fs::path openSaveFixture(const std::string& name);
// Copies a fixture into the program's folder under `as`; gives the copy's path.
fs::path placeFixture(const Moxilo& app, const std::string& name, const std::string& as);

// The file dialog of the program: a #32770 owned by MainWindow.
HWND waitForFileDialog(const Moxilo& app);
// Clicks Open (Button1) or Save (Button2) and waits for its file dialog;
// nullptr on timeout.
HWND showOpenDialog(const Moxilo& app);
HWND showSaveDialog(const Moxilo& app);
// True once `window` is gone or hidden.
bool waitGone(HWND window, std::chrono::milliseconds timeout = 10s);
// The file name field (the Edit inside ComboBoxEx32 0x47C) as UTF-8, and typing
// into it. A proposed full path shows as its folder and the file's name.
std::string fileNameOf(HWND dialog);
void setFileName(HWND dialog, const fs::path& path);
// The text of the selected file type (combo box 0x470).
std::string selectedFileType(HWND dialog);
// The title the system gives its open-file dialog when none is set, shown by
// the driver itself in this locale.
std::string systemOpenDialogTitle();
// The replace question: a #32770 owned by the file dialog (Yes 6, No 7).
HWND waitForOwnedBox(const Moxilo& app, HWND owner, std::chrono::milliseconds timeout = 10s);
// Confirms or cancels the dialog and waits until it is gone and the program is idle.
void confirm(const Moxilo& app, HWND dialog);
void cancel(const Moxilo& app, HWND dialog);

// Open with `file` typed and confirmed, then idle.
void openThrough(const Moxilo& app, const fs::path& file);
// Save with `file` typed and confirmed; answers the replace question with Yes
// when it comes. Returns once the dialogs are gone and the program is idle.
void saveThrough(const Moxilo& app, const fs::path& file);

// Pixels (0x00RRGGBB) of a width x height area, rows top-down.
struct Pixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> data;
  std::uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
};

// The picture box as the screen shows it, read once the program is idle.
Pixels boxOnScreen(const Moxilo& app);
// The Badge's rectangle in the picture box's client coordinates.
RECT badgeInBox(const Moxilo& app);
// Polls the box on screen until `condition` holds; the last reading stays in `last`.
bool waitForBox(const Moxilo& app, const std::function<bool(const Pixels&)>& condition, Pixels& last,
                std::chrono::milliseconds timeout = 10s);

// A 24-bit bottom-up BMP read into pixels, rows top-down; empty when it is none.
Pixels bmpPixels(const std::string& bytes);
std::uint32_t le32(const std::string& bytes, size_t at);
std::uint16_t le16(const std::string& bytes, size_t at);

// True when the colours differ by at most `tolerance` per channel.
bool closeTo(std::uint32_t a, std::uint32_t b, int tolerance);
std::string hex(std::uint32_t colour);

// The names in a folder, sorted.
std::vector<std::string> namesIn(const fs::path& folder);

}  // namespace e2e
