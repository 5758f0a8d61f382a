#include "avatar/badge_position.h"

#include <algorithm>

namespace moxilo {

int clampControlEdge(long long edge) {
  return static_cast<int>(std::clamp<long long>(edge, kMinControlEdge, kMaxControlEdge));
}

}  // namespace moxilo
