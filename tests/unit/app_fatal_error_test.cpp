#include "app/fatal_error.h"

#include <gtest/gtest.h>

#include <string>

namespace moxilo {
namespace {

std::string hex(std::string_view bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// Exact GBK bytes, so that a wrong execution character set or a half-width
// colon shows here and not only on screen.
TEST(FatalErrorText, StackErrorTextIsExactGbk) {
  EXPECT_EQ(hex(fatalErrorText(6, "调用DLL命令后发现堆栈错误").view()),
            // 运行时出错!\r\n\r\n
            "D4 CB D0 D0 CA B1 B3 F6 B4 ED 21 0D 0A 0D 0A "
            // 错误代码：6\r\n\r\n
            "B4 ED CE F3 B4 FA C2 EB A3 BA 36 0D 0A 0D 0A "
            // 错误信息：调用DLL命令后发现堆栈错误\r\n
            "B4 ED CE F3 D0 C5 CF A2 A3 BA B5 F7 D3 C3 44 4C 4C C3 FC C1 EE BA F3 B7 A2 CF D6 B6 D1 D5 BB "
            "B4 ED CE F3 0D 0A");
}

TEST(FatalErrorText, CaptionAndStartFailureAreExactGbk) {
  EXPECT_EQ(hex(kFatalErrorCaption), "B4 ED CE F3");
  EXPECT_EQ(hex(fatalErrorText(0, "载入启动窗口失败").view()),
            "D4 CB D0 D0 CA B1 B3 F6 B4 ED 21 0D 0A 0D 0A "
            "B4 ED CE F3 D0 C5 CF A2 A3 BA D4 D8 C8 EB C6 F4 B6 AF B4 B0 BF DA CA A7 B0 DC 0D 0A");
}

TEST(FatalErrorText, PartsFollowCodeAndMessage) {
  struct Case {
    int code;
    const char* message;
    const char* want;
  };
  const Case cases[] = {
      {0, "", "运行时出错!\r\n\r\n"},
      {6, "", "运行时出错!\r\n\r\n错误代码：6\r\n\r\n"},
      {-1, "x", "运行时出错!\r\n\r\n错误代码：-1\r\n\r\n错误信息：x\r\n"},
      {-2147483647 - 1, "", "运行时出错!\r\n\r\n错误代码：-2147483648\r\n\r\n"},
      {2147483647, "", "运行时出错!\r\n\r\n错误代码：2147483647\r\n\r\n"},
      {0, "载入窗口模板数据段出错!", "运行时出错!\r\n\r\n错误信息：载入窗口模板数据段出错!\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fatalErrorText(c.code, c.message).view(), c.want) << "code " << c.code;
  }
}

TEST(FatalErrorText, AllocationMessageNamesTheByteCount) {
  EXPECT_EQ(allocationFailureMessage(0).view(), "分配 0 字节内存失败!");
  EXPECT_EQ(allocationFailureMessage(123456789).view(), "分配 123456789 字节内存失败!");
  EXPECT_EQ(allocationFailureMessage(std::size_t{0xFFFFFFFF}).view(), "分配 4294967295 字节内存失败!");
}

TEST(FatalErrorText, OverlongMessageIsCutAndStaysTerminated) {
  const std::string message(FixedText::kCapacity * 2, 'a');
  const FixedText text = fatalErrorText(0, message);
  EXPECT_EQ(text.view().size(), FixedText::kCapacity);
  EXPECT_EQ(text.c_str()[FixedText::kCapacity], '\0');
  EXPECT_TRUE(text.view().starts_with("运行时出错!"));
}

}  // namespace
}  // namespace moxilo
