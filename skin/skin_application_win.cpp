#include "skin/skin_application_win.h"

#include <cstdint>

#include "skin/skin_data_win.h"
#include "skin/skin_deployment_win.h"
#include "skin/skin_engine_binding_win.h"

namespace moxilo {
namespace {

// The engine's third argument: always a valid pointer, to an empty text.
constexpr char kEmptyText[] = "";

std::uintptr_t address(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

}  // namespace

void applySkin(int skinNumber) {
  ensureSkinEngineFile();
  // The engine gets this copy only for the duration of the call; it is released
  // as soon as the call returns.
  const ByteBuffer skin = loadSkinData(skinNumber);
  callSkinEngine(SkinEngineEntry::AttachRes,
                 {address(skin.empty() ? nullptr : skin.data()), skin.size(), address(kEmptyText), 0,
                  0, 0});
}

void enableSkinAero() {
  ensureSkinEngineFile();
  callSkinEngine(SkinEngineEntry::SetAero, {1});
}

}  // namespace moxilo
