#pragma once
// The built-in skins' bytes, read from the program's resources.
#include "base/byte_buffer.h"

namespace moxilo {

// A fresh copy of built-in skin `skinNumber`, owned by the caller; empty for a
// number outside 1..33.
ByteBuffer loadSkinData(int skinNumber);

}  // namespace moxilo
