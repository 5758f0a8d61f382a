#pragma once
// The engine's process-wide state: the current skin, the Aero switch, and the
// windows it skins. The two exported entries are thin wrappers over this.
#include "base/byte_buffer.h"
#include "skinh/skin_theme_win.h"

namespace moxilo::skinh {

// Parses the skin (copying what it needs) and, when it is sound, makes it the
// current skin, skins the calling thread's windows now and later, and repaints
// every skinned window. A skin that does not parse changes nothing.
bool attachSkin(ByteSpan bytes);

void setAero(bool on);

// The current skin, or null before the first successful attachSkin.
ThemePtr currentTheme();
bool aeroEnabled();

}  // namespace moxilo::skinh
