// The built-in skin catalogue's number rule, the engine file's path, and the
// skin files that the program embeds.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "skin/skin_catalogue.h"
#include "skin/skin_engine_location.h"
#include "skin/skin_resource_ids.h"

namespace moxilo {
namespace {

TEST(SkinCatalogue, NumbersOneToThirtyThreeSelectTheirOwnResource) {
  std::set<int> ids;
  for (int n = 1; n <= kBuiltInSkinCount; ++n) {
    const std::optional<int> id = skinResourceId(n);
    ASSERT_TRUE(id) << "skin " << n;
    EXPECT_EQ(*id, MOXILO_SKIN_ID_BASE + n) << "skin " << n;
    EXPECT_NE(*id, MOXILO_SKIN_ENGINE_IMAGE_ID) << "skin " << n;
    ids.insert(*id);
  }
  EXPECT_EQ(ids.size(), 33u);
}

TEST(SkinCatalogue, NumbersOutsideTheRangeSelectNothing) {
  for (const int n : {0, -1, 34, 35, -33, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(skinResourceId(n)) << "skin number " << n;
  }
}

TEST(SkinEngineLocation, PathIsRunDirectoryPlusBackslashAndName) {
  const struct {
    const char* runDirectory;
    const char* path;
  } cases[] = {
      {"D:\\Tools", "D:\\Tools\\SkinH_EL.dll"},
      {"C:", "C:\\SkinH_EL.dll"},  // a drive root: one backslash, no doubling
      {"", "\\SkinH_EL.dll"},
      // A GBK name whose trail byte is 0x5C stays as it is.
      {"C:\\\xB1\x5C", "C:\\\xB1\x5C\\SkinH_EL.dll"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(skinEngineFilePath(c.runDirectory), c.path) << "run directory \"" << c.runDirectory << "\"";
  }
}

// What the resource script embeds: resources/skins/skinNN.she for NN = 01..33.
TEST(BuiltInSkins, AreThirtyThreeDistinctSkinFiles) {
  const std::string magic("\x2E\x53\x48\x45\x00\x03", 6);
  std::set<std::string> contents;
  for (int n = 1; n <= kBuiltInSkinCount; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "/resources/skins/skin%02d.she", n);
    std::ifstream file(std::string(MOXILO_SOURCE_DIR) + name, std::ios::binary);
    ASSERT_TRUE(file) << name;
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(bytes.substr(0, 6), magic) << name;
    contents.insert(bytes);
  }
  EXPECT_EQ(contents.size(), 33u);
}

}  // namespace
}  // namespace moxilo
