#pragma once
// The windows' look at each key press before the focused control sees it.
#include <windows.h>

namespace moxilo {

// True when the message was used up (or fully handled) and must not be
// translated and dispatched.
bool preTranslateKey(MSG& message);

}  // namespace moxilo
