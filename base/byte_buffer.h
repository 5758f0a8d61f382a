#pragma once
// ByteBuffer: a counted byte array owned by whoever holds it; empty means "nothing".
#include <cstdint>
#include <span>
#include <vector>

namespace moxilo {

using ByteBuffer = std::vector<std::uint8_t>;
using ByteSpan = std::span<const std::uint8_t>;

}  // namespace moxilo
