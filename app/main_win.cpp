// Start-up, the main loop and the end of the run.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "app/fatal_error_win.h"
#include "app/run_directory.h"
#include "app/window_design.h"
#include "app/window_frame_win.h"
#include "skin/skin_application_win.h"

namespace moxilo {
namespace {

bool systemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// The designs are compiled in; reading them checks that they hang together.
bool readWindowDesigns() { return designIsValid(mainWindowDesign()) && designIsValid(aboutWindowDesign()); }

int run(HINSTANCE instance) {
  OleInitialize(nullptr);

  char programPath[260] = {};
  GetModuleFileNameA(nullptr, programPath, sizeof programPath);
  const std::string runDirectory = runDirectoryOf(programPath, systemLeadByte);
  SetCurrentDirectoryA(runDirectory.c_str());

  createHiddenOwnerWindow(instance);
  registerSkinEngineEntries(runDirectory);

  if (!readWindowDesigns()) fatalRuntimeError(0, "载入窗口模板数据段出错!");
  if (!openWindow(mainWindowDesign(), nullptr, false)) fatalRuntimeError(0, "载入启动窗口失败");

  const int exitCode = runMainLoop();
  releaseFrameResources();
  return exitCode;
}

}  // namespace
}  // namespace moxilo

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return moxilo::run(instance); }
