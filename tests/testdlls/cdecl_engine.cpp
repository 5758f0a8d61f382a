// An i686 test engine with the wrong calling convention: its entries carry the
// right names but leave their arguments on the stack (cdecl), which the
// program must report as a stack error after the first call.
extern "C" int SkinH_AttachRes(const void*, int, const char*, int, int, int) { return 1; }
extern "C" int SkinH_SetAero(int) { return 1; }
