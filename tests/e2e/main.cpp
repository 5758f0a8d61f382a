// The e2e driver's entry point: GoogleTest, plus a screenshot of the desktop for
// every failed test, saved beside the driver as e2e-failures/<suite>.<test>.png.
#include <gtest/gtest.h>

#include "driver.h"

namespace {

class ScreenshotOnFailure : public testing::EmptyTestEventListener {
  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (!result.failed() || taken_) return;
    taken_ = true;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (test == nullptr) return;
    const e2e::fs::path folder = e2e::buildFolder() / "e2e-failures";
    std::error_code ec;
    e2e::fs::create_directories(folder, ec);
    e2e::saveScreenshot(folder / (std::string(test->test_suite_name()) + "." + test->name() + ".png"));
  }
  void OnTestStart(const testing::TestInfo&) override { taken_ = false; }

  bool taken_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
  return RUN_ALL_TESTS();
}
