#pragma once
// Bounds checks and little-endian reads over a byte span. The reads assume the
// caller checked the range with fits() first.
#include <cstddef>
#include <cstdint>

#include "base/byte_buffer.h"

namespace moxilo {

// True when [offset, offset + count) lies inside the bytes; never overflows.
inline bool fits(ByteSpan bytes, std::uint64_t offset, std::uint64_t count) {
  return offset <= bytes.size() && count <= bytes.size() - offset;
}

inline std::uint16_t readU16le(ByteSpan bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint32_t readU32le(ByteSpan bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

inline std::int32_t readI32le(ByteSpan bytes, std::size_t at) {
  return static_cast<std::int32_t>(readU32le(bytes, at));
}

}  // namespace moxilo
