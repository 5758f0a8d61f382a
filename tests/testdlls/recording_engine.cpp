// A test engine that records each call: one line per call appended to
// SkinH_EL.log next to the DLL itself, and the skin bytes of each
// SkinH_AttachRes call copied to attach<k>.bin (k counts from 1), so a test can
// compare them with the program's skin byte for byte.
//
// Line formats:
//   SkinH_AttachRes data=<null|set> count=<n> text=<null|empty|other> a4=<v> a5=<v> a6=<v> visible=<0|1> copy=attach<k>.bin
//   SkinH_SetAero value=<v> visible=<0|1>
// visible tells whether any top-level window of the process was visible then.
#include <windows.h>

#include <string>

namespace {

HMODULE g_self;
int g_attachCalls;

std::string besideSelf(const char* name) {
  char path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameA(g_self, path, sizeof path);
  std::string result(path, length);
  result.resize(result.rfind('\\') + 1);
  return result + name;
}

void writeToFile(const std::string& path, const void* bytes, DWORD count, bool append) {
  const HANDLE file =
      CreateFileA(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                  append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes, count, &written, nullptr);
  CloseHandle(file);
}

void logLine(std::string line) {
  line += "\r\n";
  writeToFile(besideSelf("SkinH_EL.log"), line.data(), static_cast<DWORD>(line.size()), true);
}

BOOL CALLBACK findVisible(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

std::string visibleField() {
  bool found = false;
  EnumWindows(findVisible, reinterpret_cast<LPARAM>(&found));
  return found ? " visible=1" : " visible=0";
}

// The recording is kept out of line, so each entry stays a short call that a
// static check can follow to its return.
__attribute__((noinline)) void recordAttachRes(const unsigned char* data, int count,
                                               const char* text, int a4, int a5, int a6) {
  const std::string copyName = "attach" + std::to_string(++g_attachCalls) + ".bin";
  writeToFile(besideSelf(copyName.c_str()), data,
              data && count > 0 ? static_cast<DWORD>(count) : 0, false);
  const char* textKind = !text ? "null" : text[0] == '\0' ? "empty" : "other";
  logLine(std::string("SkinH_AttachRes data=") + (data ? "set" : "null") +
          " count=" + std::to_string(count) + " text=" + textKind + " a4=" + std::to_string(a4) +
          " a5=" + std::to_string(a5) + " a6=" + std::to_string(a6) + visibleField() +
          " copy=" + copyName);
}

__attribute__((noinline)) void recordSetAero(int value) {
  logLine("SkinH_SetAero value=" + std::to_string(value) + visibleField());
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_self = self;
  return TRUE;
}

int WINAPI SkinH_AttachRes(const unsigned char* data, int count, const char* text, int a4, int a5,
                           int a6) {
  recordAttachRes(data, count, text, a4, a5, a6);
  return 1;
}

int WINAPI SkinH_SetAero(int value) {
  recordSetAero(value);
  return 1;
}

}  // extern "C"
