#pragma once
// Joins string literals at compile time, so that a value defined once (such as
// the author's contact number) can be part of several fixed texts.
#include <array>
#include <cstddef>

namespace moxilo {

template <std::size_t... N>
constexpr auto joinLiterals(const char (&... parts)[N]) {
  std::array<char, (N + ...) - sizeof...(N) + 1> joined{};
  std::size_t at = 0;
  const auto append = [&](const char* part, std::size_t size) {
    for (std::size_t i = 0; i + 1 < size; ++i) joined[at++] = part[i];
  };
  (append(parts, N), ...);
  joined[at] = '\0';
  return joined;
}

}  // namespace moxilo
