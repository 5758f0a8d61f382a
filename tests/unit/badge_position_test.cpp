#include "avatar/badge_position.h"

#include <gtest/gtest.h>

namespace moxilo {
namespace {

TEST(ClampControlEdge, KeepsTheRangeAndStoresTheNearestBound) {
  struct Case {
    long long edge;
    int want;
  };
  const Case cases[] = {
      {88, 88},         {0, 0},           {-42, -42},       {32627, 32627},
      {32628, 32627},   {32767, 32627},   {-32627, -32627}, {-32628, -32627},
      {-32768, -32627}, {1LL << 40, 32627}, {-(1LL << 40), -32627},
  };
  for (const Case& c : cases) EXPECT_EQ(clampControlEdge(c.edge), c.want) << "edge " << c.edge;
}

}  // namespace
}  // namespace moxilo
