// Deployment of the skin engine library next to the program, and the engine and
// skins that the program carries.
#include "driver.h"
// driver.h brings windows.h, which psapi.h needs first.
#include <gtest/gtest.h>
#include <psapi.h>

#include <string>

#include "skin_test_support.h"
#include "skin/skin_catalogue.h"
#include "skin/skin_resource_ids.h"

namespace e2e {
namespace {

bool underWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

struct EntryState {
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  ULONGLONG size = 0;
  ULONGLONG writeTime = 0;
  bool operator==(const EntryState&) const = default;
};

EntryState stateOf(const fs::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
  return {data.dwFileAttributes, (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
          (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

void setWriteTime(const fs::path& path, ULONGLONG time) {
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const FILETIME filetime{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &filetime));
  CloseHandle(file);
}

// Full paths of the program's loaded modules named SkinH_EL.dll.
std::vector<fs::path> loadedEngines(DWORD pid) {
  std::vector<fs::path> found;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process == nullptr) return found;
  HMODULE modules[512];
  DWORD bytes = 0;
  if (EnumProcessModules(process, modules, sizeof modules, &bytes)) {
    for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
      wchar_t path[MAX_PATH];
      if (GetModuleFileNameExW(process, modules[i], path, MAX_PATH) &&
          _wcsicmp(fs::path(path).filename().c_str(), L"SkinH_EL.dll") == 0) {
        found.emplace_back(path);
      }
    }
  }
  CloseHandle(process);
  return found;
}

TEST(SkinEngineDeployment, FreshFolderGetsTheEmbeddedEngineHiddenAndLoadsItFromThere) {
  Moxilo app;
  const fs::path engine = app.folder() / L"SkinH_EL.dll";
  const std::string expected = readFile(builtEngine());
  ASSERT_FALSE(expected.empty()) << builtEngine();
  EXPECT_TRUE(readFile(engine) == expected) << "the written library differs from the built engine";

  // The program sets the hidden attribute alone; Wine reports every regular file
  // with the archive attribute added, whatever is stored.
  const EntryState written = stateOf(engine);
  EXPECT_EQ(written.attributes,
            underWine() ? DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE}
                        : DWORD{FILE_ATTRIBUTE_HIDDEN});

  // The engine was loaded from the file written next to the program, and only from there.
  const std::vector<fs::path> engines = loadedEngines(app.pid());
  ASSERT_EQ(engines.size(), 1u);
  EXPECT_TRUE(fs::equivalent(engines[0], engine)) << engines[0];

  // Opening About runs the deployment again: the file is found and not rewritten.
  HWND about = openAboutWindow(app);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(stateOf(engine), written);
  ASSERT_TRUE(closeAboutWindow(app, about));

  PostMessageW(app.mainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(0));
}

TEST(SkinEngineDeployment, LibraryFromAnEarlierStartIsNotRewritten) {
  constexpr ULONGLONG kJanuary2001 = 126227808000000000ull;  // FILETIME of 2001-01-01
  Moxilo app({.prepare = [](const fs::path& folder) {
    const fs::path engine = folder / L"SkinH_EL.dll";
    writeFile(engine, readFile(builtEngine()));
    setWriteTime(engine, kJanuary2001);
    SetFileAttributesW(engine.c_str(), FILE_ATTRIBUTE_HIDDEN);
  }});
  const EntryState state = stateOf(app.folder() / L"SkinH_EL.dll");
  EXPECT_EQ(state.writeTime, kJanuary2001);
  EXPECT_EQ(state.size, fs::file_size(builtEngine()));
  PostMessageW(app.mainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(0));
}

// Any entry of that name counts as present and stays as it is. Neither can be
// loaded, nor found by the bare-name search, so binding the first entry fails.
TEST(SkinEngineDeployment, ExistingEntryIsLeftUntouchedEvenWhenItCannotBeLoaded) {
  const struct {
    const char* what;
    bool directory;
  } cases[] = {{"zero-byte hidden, system, read-only file", false}, {"directory", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EntryState before;
    Moxilo app({.prepare =
                    [&](const fs::path& folder) {
                      const fs::path entry = folder / L"SkinH_EL.dll";
                      if (c.directory) {
                        ASSERT_TRUE(CreateDirectoryW(entry.c_str(), nullptr));
                      } else {
                        writeFile(entry, "");
                        SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_HIDDEN |
                                                              FILE_ATTRIBUTE_SYSTEM |
                                                              FILE_ATTRIBUTE_READONLY);
                      }
                      before = stateOf(entry);
                    },
                .waitForMainWindow = false});
    expectBindingFailure(app, u8"SkinH_AttachRes");
    const fs::path entry = app.folder() / L"SkinH_EL.dll";
    EXPECT_EQ(stateOf(entry), before);
    if (c.directory) {
      EXPECT_TRUE(fs::is_empty(entry));
    } else {
      EXPECT_EQ(before.size, 0u);
    }
  }
}

// The program carries the engine of this build and the 33 skin files, each at
// its resource id, and nothing beyond skin 33.
TEST(SkinResources, ProgramEmbedsTheBuiltEngineAndEverySkin) {
  HMODULE program =
      LoadLibraryExW((buildFolder() / L"moxilo.exe").c_str(), nullptr,
                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr);
  const auto resource = [&](int id) -> std::string {
    HRSRC info = FindResourceW(program, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
    if (info == nullptr) return "<none>";
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(program, info)));
    return std::string(bytes, SizeofResource(program, info));
  };
  EXPECT_TRUE(resource(MOXILO_SKIN_ENGINE_IMAGE_ID) == readFile(builtEngine()))
      << "the embedded engine is not the built one";
  for (int n = 1; n <= moxilo::kBuiltInSkinCount; ++n) {
    const std::string skin = readFile(skinSource(n));
    ASSERT_FALSE(skin.empty()) << skinSource(n);
    EXPECT_TRUE(resource(*moxilo::skinResourceId(n)) == skin) << "skin " << n;
  }
  EXPECT_EQ(resource(MOXILO_SKIN_ID_BASE + moxilo::kBuiltInSkinCount + 1), "<none>");
  FreeLibrary(program);
}

}  // namespace
}  // namespace e2e
