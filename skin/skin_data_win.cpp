#include "skin/skin_data_win.h"

#include "skin/embedded_resource_win.h"
#include "skin/skin_catalogue.h"

namespace moxilo {

ByteBuffer loadSkinData(int skinNumber) {
  const std::optional<int> id = skinResourceId(skinNumber);
  if (!id) return {};
  const ByteSpan skin = embeddedResource(*id);
  return ByteBuffer(skin.begin(), skin.end());
}

}  // namespace moxilo
