#include "skin/skin_catalogue.h"

#include "skin/skin_resource_ids.h"

namespace moxilo {

std::optional<int> skinResourceId(int skinNumber) {
  if (skinNumber < 1 || skinNumber > kBuiltInSkinCount) return std::nullopt;
  return MOXILO_SKIN_ID_BASE + skinNumber;
}

}  // namespace moxilo
