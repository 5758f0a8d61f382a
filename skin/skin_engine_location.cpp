#include "skin/skin_engine_location.h"

namespace moxilo {

std::string skinEngineFilePath(std::string_view runDirectory) {
  std::string path(runDirectory);
  path += '\\';
  path += kSkinEngineFileName;
  return path;
}

}  // namespace moxilo
