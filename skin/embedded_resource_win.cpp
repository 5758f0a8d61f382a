#include "skin/embedded_resource_win.h"

#include <windows.h>

namespace moxilo {

ByteSpan embeddedResource(int id) {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!info) return {};
  HGLOBAL loaded = LoadResource(nullptr, info);
  if (!loaded) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (!bytes) return {};
  return ByteSpan(bytes, SizeofResource(nullptr, info));
}

}  // namespace moxilo
