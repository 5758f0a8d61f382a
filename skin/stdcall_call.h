#pragma once
// Calls into a loaded library entry that follows the Windows API calling
// convention, and reports whether the stack pointer came back where it was
// before the arguments were pushed. The one piece of architecture-specific code
// of the program: stdcall_call_i686.cpp and stdcall_call_x86_64.cpp; the build
// compiles the one that matches the target.
#include <cstddef>
#include <cstdint>

namespace moxilo {

using EntryAddress = void (*)();

inline constexpr std::size_t kMaxEntryArguments = 6;

// Calls `entry` with `count` pointer-sized arguments (`args[0]` first) and
// returns false when the entry left the stack unbalanced. count <= 6.
bool callEntryBalanced(EntryAddress entry, const std::uintptr_t* args, std::size_t count);

}  // namespace moxilo
