// Animated GIFs in the picture box, opened through the real open-file dialog:
// frame timing read from the screen, endless looping, the animation thread's
// end when the picture is replaced, and a one-image GIF that shows still with
// no thread. The GIFs are written here from tables of solid-colour frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

#include "dialog_helpers.h"

// After windows.h, which dialog_helpers.h brings in.
#include <tlhelp32.h>

namespace e2e {
namespace {

// The GIFs' global colour table; a frame is one of these, solid.
constexpr std::uint32_t kPalette[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
constexpr int kPaletteSize = static_cast<int>(std::size(kPalette));
constexpr int kGifSide = 8;
// The colour of tests/fixtures/open_save/one-pixel.bmp.
constexpr std::uint32_t kStillColour = 0x2080C0;

void put16(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

// LZW data of a solid kGifSide x kGifSide image with a minimum code size of 2:
// a clear code before every two pixels keeps the table at one entry past the
// clear and end codes, so every code stays 3 bits wide.
std::string solidImageData(int colourIndex) {
  constexpr int kMinCodeSize = 2, kClear = 4, kEnd = 5, kCodeBits = 3;
  std::vector<int> codes;
  for (int pixel = 0; pixel < kGifSide * kGifSide; pixel += 2) {
    codes.insert(codes.end(), {kClear, colourIndex, colourIndex});
  }
  codes.push_back(kEnd);
  std::string packed;
  unsigned bits = 0;
  int filled = 0;
  for (int code : codes) {
    bits |= static_cast<unsigned>(code) << filled;
    filled += kCodeBits;
    while (filled >= 8) {
      packed += static_cast<char>(bits & 0xFF);
      bits >>= 8;
      filled -= 8;
    }
  }
  if (filled > 0) packed += static_cast<char>(bits & 0xFF);
  std::string data(1, static_cast<char>(kMinCodeSize));
  for (size_t at = 0; at < packed.size(); at += 255) {
    const std::string block = packed.substr(at, 255);
    data += static_cast<char>(block.size());
    data += block;
  }
  data += '\0';
  return data;
}

struct GifRecipe {
  std::vector<int> frames;  // palette indices, one solid frame each
  int delay = 0;            // hundredths of a second, in every frame's control extension
  bool controlExtension = true;
  int netscapeLoops = -1;   // the NETSCAPE2.0 loop count; -1: no such extension
};

std::string writeGif(const GifRecipe& recipe) {
  std::string out = "GIF89a";
  put16(out, kGifSide);
  put16(out, kGifSide);
  out += '\x81';  // a global colour table of 4 entries
  out += '\0';    // background index
  out += '\0';    // aspect ratio
  for (std::uint32_t colour : kPalette) {
    out += static_cast<char>(colour >> 16);
    out += static_cast<char>(colour >> 8);
    out += static_cast<char>(colour);
  }
  if (recipe.netscapeLoops >= 0) {
    out += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
    put16(out, recipe.netscapeLoops);
    out += '\0';
  }
  for (int colourIndex : recipe.frames) {
    if (recipe.controlExtension) {
      out += "\x21\xF9\x04";
      out += '\0';  // disposal none, no transparency
      put16(out, recipe.delay);
      out += '\0';  // transparent index (unused)
      out += '\0';
    }
    out += '\x2C';
    put16(out, 0);
    put16(out, 0);
    put16(out, kGifSide);
    put16(out, kGifSide);
    out += '\0';  // no local table, not interlaced
    out += solidImageData(colourIndex);
  }
  out += '\x3B';
  return out;
}

fs::path placeGif(const Moxilo& app, const GifRecipe& recipe, const std::wstring& name) {
  const fs::path file = app.folder() / name;
  writeFile(file, writeGif(recipe));
  return file;
}

int frameOf(std::uint32_t colour) {
  const auto* found = std::find(std::begin(kPalette), std::end(kPalette), colour);
  return found == std::end(kPalette) ? -1 : static_cast<int>(found - std::begin(kPalette));
}

// A point of the box on the screen, away from the Badge (88..135 x 90..137).
POINT samplePoint(const Moxilo& app) {
  const RECT box = windowRect(app.control(main_ids::kPictureBox));
  return POINT{box.left + 20, box.top + 20};
}

std::uint32_t rgb(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() { ReleaseDC(nullptr, dc_); }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  std::uint32_t at(POINT p) const { return rgb(GetPixel(dc_, p.x, p.y)); }

 private:
  HDC dc_;
};

double nowMs() {
  LARGE_INTEGER counter{}, frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A colour the screen showed, from `ms` after sampling began.
struct Shown {
  double ms;
  std::uint32_t colour;
};

// Reads one screen pixel as fast as the screen answers for `window` and keeps
// each change of colour; the first entry is the colour at the start.
std::vector<Shown> watch(POINT point, std::chrono::milliseconds window) {
  const ScreenDC screen;
  const double start = nowMs();
  std::vector<Shown> shown{{0.0, screen.at(point)}};
  for (double now = start; now - start < static_cast<double>(window.count()); now = nowMs()) {
    const std::uint32_t colour = screen.at(point);
    if (colour != shown.back().colour) shown.push_back({now - start, colour});
  }
  return shown;
}

std::string describe(const std::vector<Shown>& shown) {
  std::ostringstream out;
  for (const Shown& s : shown) out << " " << static_cast<int>(s.ms) << "ms:" << hex(s.colour);
  return out.str();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Timing {
  double minMs, maxMs;  // the accepted median interval between frame changes
  int minChanges;       // frame changes the sampling window must hold
  int minWraps;         // passes from the last frame back to the first
};

// The screen went through `frames` in order, again and again, changing at a
// median interval within the timing's bounds. A loaded machine may hide a
// frame now and then; one change in ten may skip.
::testing::AssertionResult playsInLoop(const std::vector<Shown>& shown, const std::vector<int>& frames,
                                       const Timing& timing) {
  auto fail = [&] { return ::testing::AssertionFailure() << "shown:" << describe(shown) << "\n"; };
  const int changes = static_cast<int>(shown.size()) - 1;
  if (changes < timing.minChanges) return fail() << changes << " changes, want " << timing.minChanges;
  const int count = static_cast<int>(frames.size());
  auto place = [&](std::uint32_t colour) {
    const auto at = std::find(frames.begin(), frames.end(), frameOf(colour));
    return at == frames.end() ? -1 : static_cast<int>(at - frames.begin());
  };
  int outOfOrder = 0, wraps = 0;
  for (size_t i = 1; i < shown.size(); ++i) {
    const int from = place(shown[i - 1].colour), to = place(shown[i].colour);
    if (to < 0 || from < 0) return fail() << "colour " << hex(to < 0 ? shown[i].colour : shown[i - 1].colour)
                                          << " is no frame";
    if (to != (from + 1) % count) ++outOfOrder;
    if (from == count - 1 && to == 0) ++wraps;
  }
  if (outOfOrder * 10 > changes) return fail() << outOfOrder << " of " << changes << " changes out of order";
  if (wraps < timing.minWraps) return fail() << wraps << " passes back to the first frame, want " << timing.minWraps;
  std::vector<double> intervals;
  for (size_t i = 2; i < shown.size(); ++i) intervals.push_back(shown[i].ms - shown[i - 1].ms);
  const double interval = median(intervals);
  if (interval < timing.minMs || interval > timing.maxMs) {
    return fail() << "median interval " << std::lround(interval) << " ms, want " << timing.minMs << ".."
                  << timing.maxMs;
  }
  return ::testing::AssertionSuccess() << "median interval " << std::lround(interval) << " ms";
}

// Waits until the box shows a frame of the GIF at the sample point, and then another.
bool waitForPlaying(const Moxilo& app) {
  const POINT point = samplePoint(app);
  const ScreenDC screen;
  std::set<std::uint32_t> seen;
  return waitUntil([&] {
    const std::uint32_t colour = screen.at(point);
    if (frameOf(colour) >= 0) seen.insert(colour);
    return seen.size() >= 2;
  });
}

bool waitForColour(const Moxilo& app, std::uint32_t colour) {
  const POINT point = samplePoint(app);
  const ScreenDC screen;
  return waitUntil([&] { return screen.at(point) == colour; });
}

std::set<DWORD> threadsOf(DWORD pid) {
  std::set<DWORD> threads;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return threads;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == pid) threads.insert(entry.th32ThreadID);
  }
  CloseHandle(snapshot);
  return threads;
}

// The program's threads once they have stayed the same for a while: the
// system's own helpers of the file dialog come and go for a moment after it.
std::set<DWORD> settledThreadsOf(const Moxilo& app) {
  constexpr double kSettledMs = 500;
  app.waitIdle();
  std::set<DWORD> last = threadsOf(app.pid());
  double since = nowMs();
  waitUntil([&] {
    std::set<DWORD> now = threadsOf(app.pid());
    if (now != last) {
      last = std::move(now);
      since = nowMs();
    }
    return nowMs() - since >= kSettledMs;
  });
  return last;
}

std::set<DWORD> minus(const std::set<DWORD>& a, const std::set<DWORD>& b) {
  std::set<DWORD> out;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(out, out.end()));
  return out;
}

constexpr auto kSamplingWindow = 1500ms;

TEST(Animation, FramesChangeAtTheirDelaysAndLoopWithoutEnd) {
  struct Case {
    const char* name;
    GifRecipe gif;
    Timing timing;
  };
  // Three frames, so that order and looping show. A delay of 0 stands for
  // 50 ms. A NETSCAPE loop count of 1 (twice through, in a browser) changes
  // nothing: the box loops without end.
  const Case cases[] = {
      {"delay 0: 50 ms", {{0, 1, 2}, 0, true, -1}, {35, 80, 15, 3}},
      {"delay 10: 100 ms, loop count 1", {{3, 0, 1}, 10, true, 1}, {80, 140, 8, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Moxilo app;
    openThrough(app, placeGif(app, c.gif, L"animation.gif"));
    ASSERT_TRUE(waitForPlaying(app));
    const std::vector<Shown> shown = watch(samplePoint(app), kSamplingWindow);
    const ::testing::AssertionResult result = playsInLoop(shown, c.gif.frames, c.timing);
    EXPECT_TRUE(result);
    if (result) std::printf("%s: %s\n", c.name, result.message());
  }
}

TEST(Animation, ReplacingItEndsItsThread) {
  Moxilo app;
  // A still picture first, so that the file dialog's own threads are already there.
  openThrough(app, placeFixture(app, "one-pixel.bmp", "still.bmp"));
  ASSERT_TRUE(waitForColour(app, kStillColour));
  const std::set<DWORD> still = settledThreadsOf(app);

  openThrough(app, placeGif(app, {{0, 1, 2}, 0}, L"animation.gif"));
  ASSERT_TRUE(waitForPlaying(app));
  const std::set<DWORD> playing = settledThreadsOf(app);
  const std::set<DWORD> added = minus(playing, still);
  ASSERT_EQ(added.size(), 1u) << "threads: " << still.size() << " with the still picture, " << playing.size()
                              << " while the animation plays";
  const DWORD animation = *added.begin();

  openThrough(app, placeFixture(app, "one-pixel.bmp", "still again.bmp"));
  EXPECT_TRUE(waitForColour(app, kStillColour));
  std::set<DWORD> after;
  EXPECT_TRUE(waitUntil([&] {
    after = threadsOf(app.pid());
    return after.size() == playing.size() - 1 && !after.count(animation);
  })) << "threads: " << playing.size() << " while playing, " << after.size() << " after, the animation's "
      << (after.count(animation) ? "still there" : "gone");
  // And nothing paints over the still picture any more.
  const std::vector<Shown> shown = watch(samplePoint(app), 300ms);
  EXPECT_EQ(shown.size(), 1u) << describe(shown);
  EXPECT_EQ(hex(shown.front().colour), hex(kStillColour));
}

TEST(Animation, OneImageGifShowsStillWithNoThread) {
  Moxilo app;
  openThrough(app, placeFixture(app, "one-pixel.bmp", "still.bmp"));
  ASSERT_TRUE(waitForColour(app, kStillColour));
  const std::set<DWORD> before = settledThreadsOf(app);

  // No control extension and nothing after the image but the trailer.
  openThrough(app, placeGif(app, {{1}, 0, false}, L"still.gif"));
  ASSERT_TRUE(waitForColour(app, kPalette[1]));
  const std::set<DWORD> after = settledThreadsOf(app);
  EXPECT_EQ(after.size(), before.size());
  EXPECT_TRUE(minus(after, before).empty()) << minus(after, before).size() << " threads more";
}

}  // namespace
}  // namespace e2e
