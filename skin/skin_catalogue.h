#pragma once
// The catalogue of built-in skins: skin numbers 1 to 33, each an embedded
// resource. Any other number selects no skin, which is not an error.
#include <optional>

namespace moxilo {

inline constexpr int kBuiltInSkinCount = 33;

// The resource id of built-in skin `skinNumber`; nothing outside 1..33.
std::optional<int> skinResourceId(int skinNumber);

}  // namespace moxilo
