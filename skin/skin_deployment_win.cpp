#include "skin/skin_deployment_win.h"

#include <windows.h>

#include <string>

#include "base/scoped_handle_win.h"
#include "skin/embedded_resource_win.h"
#include "skin/skin_engine_binding_win.h"
#include "skin/skin_engine_location.h"
#include "skin/skin_resource_ids.h"

namespace moxilo {
namespace {

// Any entry counts: a file of any size or attributes, or a directory.
bool entryExists(const std::string& path) {
  WIN32_FIND_DATAA found;
  const ScopedFindHandle search(FindFirstFileA(path.c_str(), &found));
  return search.valid();
}

// One write of the whole image. CREATE_NEW, because the file was just found
// missing: should one appear in between, it is left alone rather than replaced.
// A write that stops part of the way removes the file again, so that a later
// run does not take a broken library as present.
void writeImage(const std::string& path, ByteSpan image) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  DWORD written = 0;
  const bool complete =
      WriteFile(file.get(), image.data(), static_cast<DWORD>(image.size()), &written, nullptr) &&
      written == image.size();
  file.reset();
  if (!complete) DeleteFileA(path.c_str());
}

}  // namespace

void ensureSkinEngineFile() {
  const std::string path = skinEngineFilePath(skinEngineRunDirectory());
  if (entryExists(path)) return;
  writeImage(path, embeddedResource(MOXILO_SKIN_ENGINE_IMAGE_ID));
  // Hidden alone, which also clears the archive flag that the creation set.
  // Runs even when the write failed; its own failure is silent too.
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace moxilo
