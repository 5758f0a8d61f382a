#include "app/fatal_error_win.h"

#include <windows.h>

#include "app/fatal_error.h"
#include "app/window_frame_win.h"

namespace moxilo {

void fatalRuntimeError(int code, std::string_view message) {
  // Built in fixed storage: the error may be that memory ran out.
  const FixedText text = fatalErrorText(code, message);
  MessageBoxA(nullptr, text.c_str(), kFatalErrorCaption, MB_ICONSTOP | MB_OK);
  releaseFrameResources();
  // At once, without the program's own clean-up.
  ExitProcess(0xFFFFFFFF);
}

}  // namespace moxilo
