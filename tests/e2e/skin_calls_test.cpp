// The program's calls into the skin engine, seen through test engines placed as
// SkinH_EL.dll before the start (tests/testdlls). The recording engine appends
// one line per call to SkinH_EL.log beside itself and copies the skin bytes of
// each SkinH_AttachRes call to attach<k>.bin.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"
#include "skin_test_support.h"

namespace e2e {
namespace {

void placeEngine(const fs::path& folder, const wchar_t* testEngine) {
  ASSERT_TRUE(CopyFileW((buildFolder() / testEngine).c_str(), (folder / L"SkinH_EL.dll").c_str(),
                        TRUE));
}

std::vector<std::string> logLines(const Moxilo& app) {
  std::istringstream log(readFile(app.folder() / L"SkinH_EL.log"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool waitForLogLines(const Moxilo& app, std::size_t count) {
  return waitUntil([&] { return logLines(app).size() >= count; });
}

std::string attachLine(std::size_t skinBytes, bool visible, int call) {
  return "SkinH_AttachRes data=set count=" + std::to_string(skinBytes) +
         " text=empty a4=0 a5=0 a6=0 visible=" + (visible ? "1" : "0") + " copy=attach" +
         std::to_string(call) + ".bin";
}

TEST(SkinCalls, SkinThirteenThenAeroBeforeMainWindowShowsAndSkinAgainForEachAbout) {
  const std::string skin13 = readFile(skinSource(13));
  ASSERT_FALSE(skin13.empty()) << skinSource(13);
  const std::string recordingEngine = readFile(buildFolder() / L"test_engine_recording.dll");
  Moxilo app({.prepare = [](const fs::path& folder) {
    placeEngine(folder, L"test_engine_recording.dll");
  }});
  ASSERT_TRUE(waitForLogLines(app, 2));
  // Both calls came while no window of the program was visible yet.
  EXPECT_EQ(logLines(app), (std::vector<std::string>{attachLine(skin13.size(), false, 1),
                                                     "SkinH_SetAero value=1 visible=0"}));
  EXPECT_TRUE(readFile(app.folder() / L"attach1.bin") == skin13) << "skin 13's bytes differ";
  EXPECT_TRUE(readFile(app.folder() / L"SkinH_EL.dll") == recordingEngine)
      << "the program replaced the library that was there";

  for (int opening = 1; opening <= 2; ++opening) {
    SCOPED_TRACE("About opened " + std::to_string(opening) + " times");
    HWND about = openAboutWindow(app);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(waitForLogLines(app, 2 + opening));
    EXPECT_EQ(logLines(app).back(), attachLine(skin13.size(), true, 1 + opening));
    EXPECT_TRUE(readFile(app.folder() / (L"attach" + std::to_wstring(1 + opening) + L".bin")) ==
                skin13);
    ASSERT_TRUE(closeAboutWindow(app, about));
  }

  PostMessageW(app.mainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(0));
  const std::vector<std::string> lines = logLines(app);
  const auto calls = [&](const char* entry) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.starts_with(entry); });
  };
  EXPECT_EQ(lines.size(), 4u);
  EXPECT_EQ(calls("SkinH_AttachRes "), 3);
  EXPECT_EQ(calls("SkinH_SetAero "), 1);
}

// SkinH_AttachRes binds and runs; binding SkinH_SetAero then fails.
TEST(SkinCalls, EngineWithoutSetAeroEndsWithTheBindingError) {
  Moxilo app({.prepare = [](const fs::path& folder) {
                placeEngine(folder, L"test_engine_no_aero.dll");
              },
              .waitForMainWindow = false});
  expectBindingFailure(app, u8"SkinH_SetAero");
}

}  // namespace
}  // namespace e2e
