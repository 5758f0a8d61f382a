// The binary contract of moxilo.exe's own resources: the application icon with
// its eight frames and the version resource.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "app/resource_ids.h"
#include "driver.h"

namespace e2e {
namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

class ProgramFile {
 public:
  ProgramFile()
      : module_(LoadLibraryExW((buildFolder() / L"moxilo.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~ProgramFile() { FreeLibrary(module_); }
  HMODULE get() const { return module_; }

  std::string resource(LPCWSTR type, LPCWSTR name) const {
    HRSRC found = FindResourceW(module_, name, type);
    if (found == nullptr) return {};
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(data, SizeofResource(module_, found));
  }

 private:
  HMODULE module_;
};

TEST(ProgramResources, ApplicationIconHasItsEightFrames) {
  ProgramFile program;
  ASSERT_NE(program.get(), nullptr);
  const std::string group = program.resource(RT_GROUP_ICON, MAKEINTRESOURCEW(MOXILO_IDI_APP));
  ASSERT_GE(group.size(), 6u);
  const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
  ASSERT_EQ(group.size(), 6 + count * sizeof(IconGroupEntry));

  std::set<std::pair<int, int>> frames;  // side, bits per pixel
  for (WORD i = 0; i < count; ++i) {
    const auto* entry = reinterpret_cast<const IconGroupEntry*>(group.data() + 6 + i * sizeof(IconGroupEntry));
    const int side = entry->width == 0 ? 256 : entry->width;
    frames.insert({side, entry->bitCount});
    const std::string image = program.resource(RT_ICON, MAKEINTRESOURCEW(entry->id));
    ASSERT_EQ(image.size(), entry->bytes) << side << " px";
    if (side == 256) {
      EXPECT_EQ(image.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << "256 x 256 is stored as PNG";
    }
  }
  const std::set<std::pair<int, int>> want = {{16, 32}, {24, 32}, {32, 32}, {48, 32},
                                              {16, 8},  {32, 8},  {16, 4},  {256, 32}};
  EXPECT_EQ(frames, want);

  // The windows load it at the two sizes they show.
  for (int side : {32, 16}) {
    HANDLE icon = LoadImageW(program.get(), MAKEINTRESOURCEW(MOXILO_IDI_APP), IMAGE_ICON, side, side, 0);
    EXPECT_NE(icon, nullptr) << side;
    if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
  }
}

TEST(ProgramResources, VersionIsOneZeroZeroZeroInChinesePrc) {
  const std::wstring file = (buildFolder() / L"moxilo.exe").wstring();
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x0804) << "Chinese (PRC)";
  EXPECT_EQ(translation[1], 1200) << "Unicode texts";

  wchar_t* description = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\080404B0\\FileVersion",
                             reinterpret_cast<void**>(&description), &length));
  EXPECT_EQ(std::wstring(description), L"1.0.0.0");
}

}  // namespace
}  // namespace e2e
