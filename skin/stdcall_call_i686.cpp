// i686: a stdcall entry removes its own arguments on return. The thunk keeps
// the stack pointer in a callee-saved register, pushes the arguments right to
// left, calls, and compares: an entry that removed more or fewer bytes than it
// was given (a cdecl entry, a wrong argument count) shows up as a difference.
// The saved value is put back either way, so the caller's frame stays intact.
#include "skin/stdcall_call.h"

extern "C" int moxiloCallEntryBalanced(moxilo::EntryAddress entry, const std::uintptr_t* args,
                                       std::size_t count);

// int moxiloCallEntryBalanced(entry, args, count), cdecl: 1 when balanced.
asm(R"(
    .text
    .globl _moxiloCallEntryBalanced
    .def _moxiloCallEntryBalanced; .scl 2; .type 32; .endef
_moxiloCallEntryBalanced:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 8(%ebp), %eax
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    movl %esp, %ebx
1:  testl %ecx, %ecx
    jz 2f
    pushl -4(%esi,%ecx,4)
    decl %ecx
    jmp 1b
2:  call *%eax
    xorl %eax, %eax
    cmpl %esp, %ebx
    sete %al
    movl %ebx, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace moxilo {

bool callEntryBalanced(EntryAddress entry, const std::uintptr_t* args, std::size_t count) {
  return moxiloCallEntryBalanced(entry, args, count) != 0;
}

}  // namespace moxilo
