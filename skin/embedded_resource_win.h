#pragma once
// Binary blocks compiled into the program as RCDATA resources.
#include "base/byte_buffer.h"

namespace moxilo {

// The bytes of the program's RCDATA resource `id`, valid for the whole run
// (resources live in the mapped program image); empty when there is none.
ByteSpan embeddedResource(int id);

}  // namespace moxilo
