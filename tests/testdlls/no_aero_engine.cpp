// A test engine that lacks SkinH_SetAero: SkinH_AttachRes binds and returns,
// then binding SkinH_SetAero must fail.
#include <windows.h>

extern "C" int WINAPI SkinH_AttachRes(const void*, int, const char*, int, int, int) { return 1; }
