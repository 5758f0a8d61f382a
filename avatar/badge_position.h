#pragma once
// The range of a control's leftEdge and topEdge.

namespace moxilo {

inline constexpr int kMinControlEdge = -32627;
inline constexpr int kMaxControlEdge = 32627;

// A value outside the range becomes the nearest bound.
int clampControlEdge(long long edge);

}  // namespace moxilo
