#include "avatar/file_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace moxilo {
namespace {

bool gbkLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Shows the NULs of a list as '0' so that failures read plainly.
std::string visible(std::string list) {
  for (char& c : list) {
    if (c == '\0') c = '0';
  }
  return list;
}

TEST(FileFilter, BuildsTheSystemList) {
  struct Case {
    const char* name;
    std::string filter;
    std::string want;
  };
  using namespace std::string_literals;
  const Case cases[] = {
      {"design value", "jpg|*.jpg|gif|*.gif|bmp|*.bmp", "jpg\0*.jpg\0gif\0*.gif\0bmp\0*.bmp\0\0"s},
      {"already closed by ||", "bmp|*.bmp||", "bmp\0*.bmp\0\0"s},
      {"trailing white space dropped first", "bmp|*.bmp|| \t\r\n", "bmp\0*.bmp\0\0"s},
      {"white space before the bars kept", "a b|*.b |", "a b\0*.b \0\0\0"s},
      {"one closing bar gets two more", "bmp|*.bmp|", "bmp\0*.bmp\0\0\0"s},
      {"empty", "", ""},
      {"only white space", " \t ", ""},
      {"lone bar", "|", "\0\0\0"s},
      // 0x815C and 0x817C: GBK characters whose trail bytes are '\' and '|'.
      {"trail byte 0x7C is no bar", "\x81\x7C|*.x", "\x81\x7C\0*.x\0\0"s},
      {"trail bytes at the end are no closing bars", "a|\x81\x7C", "a\0\x81\x7C\0\0"s},
      {"lone lead byte at the end", "a|\x81", "a\0\x81\0\0"s},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(visible(buildFilterList(c.filter, gbkLead)), visible(c.want)) << c.name;
  }
}

}  // namespace
}  // namespace moxilo
