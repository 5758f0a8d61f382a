// The two exported entries of SkinH_EL.dll. Both use the Windows API calling
// convention (on i686 they remove their own arguments) and are exported
// undecorated through SkinH_EL.def.
#include <windows.h>

#include "skinh/skin_engine_win.h"

// Arguments: the skin's bytes (or null), their count, a text that this engine
// does not use (never null from the program) and three reserved zeros. Returns
// 1 when the skin was taken, 0 when it was refused and nothing changed.
extern "C" int WINAPI SkinH_AttachRes(const unsigned char* bytes, int count, const char* /*key*/, int /*reserved1*/,
                                      int /*reserved2*/, int /*reserved3*/) {
  if (!bytes || count <= 0) return 0;
  return moxilo::skinh::attachSkin(moxilo::ByteSpan(bytes, static_cast<std::size_t>(count))) ? 1 : 0;
}

// 1 turns the Aero look on, 0 off. Returns 1.
extern "C" int WINAPI SkinH_SetAero(int on) {
  moxilo::skinh::setAero(on != 0);
  return 1;
}
