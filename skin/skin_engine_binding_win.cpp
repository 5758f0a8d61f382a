#include "skin/skin_engine_binding_win.h"

#include <windows.h>

#include <array>
#include <string>

#include "app/fatal_error_win.h"
#include "skin/skin_application_win.h"
#include "skin/skin_engine_location.h"
#include "skin/stdcall_call.h"

namespace moxilo {
namespace {

struct EntryBinding {
  const char* name;
  EntryAddress address;  // null until the first call
};

struct SkinEngineBindings {
  std::string runDirectory;
  std::array<EntryBinding, 2> entries{{{"SkinH_AttachRes", nullptr}, {"SkinH_SetAero", nullptr}}};
};

SkinEngineBindings& bindings() {
  static SkinEngineBindings state;
  return state;
}

// The library next to the program first (the file that ensureSkinEngineFile
// writes), else whatever the system's library search finds under the bare name.
HMODULE loadSkinEngine() {
  if (HMODULE module = LoadLibraryA(skinEngineFilePath(bindings().runDirectory).c_str())) {
    return module;
  }
  return LoadLibraryA(kSkinEngineFileName);
}

[[noreturn]] void reportUnboundEntry(const char* entryName) {
  std::string message = "无法找到指定DLL库文件“";
  message += kSkinEngineFileName;
  message += "”中的输出命令“";
  message += entryName;
  message += "”";
  fatalRuntimeError(0, message);
}

EntryAddress bind(EntryBinding& entry) {
  if (entry.address) return entry.address;
  HMODULE module = loadSkinEngine();
  if (!module) reportUnboundEntry(entry.name);
  FARPROC address = GetProcAddress(module, entry.name);
  if (!address) {
    FreeLibrary(module);
    reportUnboundEntry(entry.name);
  }
  // The module reference is kept: the library stays loaded for the rest of the run.
  entry.address = reinterpret_cast<EntryAddress>(address);
  return entry.address;
}

}  // namespace

void registerSkinEngineEntries(const std::string& runDirectory) {
  bindings() = SkinEngineBindings{runDirectory};
}

const std::string& skinEngineRunDirectory() { return bindings().runDirectory; }

void callSkinEngine(SkinEngineEntry entry, std::initializer_list<std::uintptr_t> args) {
  const EntryAddress address = bind(bindings().entries[static_cast<std::size_t>(entry)]);
  if (!callEntryBalanced(address, args.begin(), args.size())) {
    fatalRuntimeError(6, "调用DLL命令后发现堆栈错误");
  }
}

}  // namespace moxilo
