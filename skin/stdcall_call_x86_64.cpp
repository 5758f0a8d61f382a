// x86_64 has a single calling convention, in which the caller reserves and
// releases the argument area and every callee returns with the stack pointer as
// it found it. An entry cannot remove a wrong number of arguments, so a call
// returns balanced by construction and the check always passes.
#include "skin/stdcall_call.h"

namespace moxilo {

bool callEntryBalanced(EntryAddress entry, const std::uintptr_t* args, std::size_t count) {
  using A = std::uintptr_t;
  switch (count) {
    case 0: reinterpret_cast<A (*)()>(entry)(); break;
    case 1: reinterpret_cast<A (*)(A)>(entry)(args[0]); break;
    case 2: reinterpret_cast<A (*)(A, A)>(entry)(args[0], args[1]); break;
    case 3: reinterpret_cast<A (*)(A, A, A)>(entry)(args[0], args[1], args[2]); break;
    case 4: reinterpret_cast<A (*)(A, A, A, A)>(entry)(args[0], args[1], args[2], args[3]); break;
    case 5:
      reinterpret_cast<A (*)(A, A, A, A, A)>(entry)(args[0], args[1], args[2], args[3], args[4]);
      break;
    default:
      reinterpret_cast<A (*)(A, A, A, A, A, A)>(entry)(args[0], args[1], args[2], args[3], args[4],
                                                       args[5]);
      break;
  }
  return true;
}

}  // namespace moxilo
