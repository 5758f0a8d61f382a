#include "app/run_directory.h"

#include <gtest/gtest.h>

namespace moxilo {
namespace {

TEST(RunDirectory, CutsAtTheLastSeparatorThatIsNoTrailByte) {
  struct Case {
    const char* name;
    std::string path;
    std::string want;
  };
  // 0x955C is the GBK character whose trail byte is a backslash.
  const Case cases[] = {
      {"ordinary folder", "D:\\Tools\\avatar.exe", "D:\\Tools"},
      {"drive root", "C:\\avatar.exe", "C:"},
      {"no separator", "avatar.exe", ""},
      {"trail byte 0x5C in the file name", "D:\\Tools\\\x95\x5C.exe", "D:\\Tools"},
      {"trail byte 0x5C ends the folder", "D:\\\x95\x5C\\a.exe", "D:\\\x95\x5C"},
      {"lone lead byte at the end", "D:\\a\\\x95", "D:\\a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(runDirectoryOf(c.path, isGbkLeadByte), c.want) << c.name;
  }
}

}  // namespace
}  // namespace moxilo
