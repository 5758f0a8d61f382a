#include "avatar/file_io_win.h"

#include <windows.h>

#include <cstdio>

#include "base/scoped_handle_win.h"

namespace moxilo {
namespace {

// Attempts at a free name for the new file before giving up.
constexpr int kTemporaryNameAttempts = 64;

// The folder part of `path` with its closing backslash, read by the system so
// that double-byte names split correctly; empty when the path names no file.
std::string folderOf(const std::string& path) {
  char full[MAX_PATH];
  char* name = nullptr;
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
  if (length == 0 || length >= MAX_PATH || name == nullptr) return {};
  return std::string(full, name);
}

// Creates a file of a new name in `folder`, opened for writing and shared with
// nobody; the name is short so that it fits wherever the target's name fits.
ScopedHandle createTemporaryFile(const std::string& folder, std::string& name) {
  const DWORD seed = GetCurrentProcessId() * 7919u + GetTickCount();
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    char leaf[16];
    std::snprintf(leaf, sizeof leaf, "~mx%04lx.tmp", static_cast<unsigned long>((seed + attempt) & 0xFFFF));
    name = folder + leaf;
    ScopedHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return ScopedHandle();
}

bool writeAll(HANDLE file, ByteSpan bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x4000'0000 ? 0x4000'0000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes = bytes.subspan(written);
  }
  return FlushFileBuffers(file) != 0;
}

// A target that must not be replaced. Renaming over a read-only file succeeds
// under Wine although the system refuses to open it for writing, so check it.
bool isProtected(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

}  // namespace

ByteBuffer readWholeFile(const std::string& path) {
  if (path.empty()) return {};
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > kMaxReadFileSize) {
    return {};
  }
  ByteBuffer bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
  bytes.resize(read);
  return bytes;
}

bool writeWholeFile(const std::string& path, ByteSpan bytes) {
  if (path.empty() || isProtected(path)) return false;
  const std::string folder = folderOf(path);
  if (folder.empty()) return false;

  std::string temporary;
  {
    ScopedHandle file = createTemporaryFile(folder, temporary);
    if (!file) return false;
    if (!writeAll(file.get(), bytes)) {
      file.reset();
      DeleteFileA(temporary.c_str());
      return false;
    }
  }
  // A target that another program holds open is not replaced: the move fails.
  if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace moxilo
