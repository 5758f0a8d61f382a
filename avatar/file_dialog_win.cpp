#include "avatar/file_dialog_win.h"

#include <commdlg.h>

#include <algorithm>

#include "avatar/file_filter.h"

namespace moxilo {
namespace {

// The path buffer of the dialog, terminator included.
constexpr std::size_t kPathBufferSize = MAX_PATH;

constexpr int kLastDialogKind = 3;

bool isAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

// Copies `path` into the buffer, cut so that it fits with its terminator and
// never in the middle of a double-byte character.
void putInitialName(const std::string& path, char (&buffer)[kPathBufferSize]) {
  std::size_t length = 0;
  while (length < path.size()) {
    const std::size_t next = length + (isAnsiLeadByte(path[length]) && length + 1 < path.size() ? 2 : 1);
    if (next > kPathBufferSize - 1) break;
    length = next;
  }
  path.copy(buffer, length);
  buffer[length] = '\0';
}

const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

FileDialog::FileDialog(HWND owner, const FileDialogSettings& settings) : owner_(owner), settings_(settings) {
  setDialogKind(settings.dialogKind);
  setInitialFilter(settings.initialFilter);
}

void FileDialog::setDialogKind(int kind) { settings_.dialogKind = std::clamp(kind, 0, kLastDialogKind); }

void FileDialog::setInitialFilter(int index) { settings_.initialFilter = std::max(index, 0); }

DWORD FileDialog::flags() const {
  DWORD flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  if (settings_.fileMustExist) flags |= OFN_FILEMUSTEXIST;
  if (settings_.promptOverwrite) flags |= OFN_OVERWRITEPROMPT;
  if (settings_.pathMustExist) flags |= OFN_PATHMUSTEXIST;
  if (settings_.promptCreate) flags |= OFN_CREATEPROMPT;
  if (settings_.keepDirectory) flags |= OFN_NOCHANGEDIR;
  return flags;
}

bool FileDialog::show() {
  if (settings_.dialogKind != kOpenFile && settings_.dialogKind != kSaveFile) return false;

  const std::string filterList = buildFilterList(settings_.fileFilter, isAnsiLeadByte);
  char path[kPathBufferSize];
  putInitialName(settings_.selectedPath, path);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = orNull(filterList);
  // The system counts filter pairs from 1. The choice is not remembered.
  dialog.nFilterIndex = filterList.empty() ? 0 : static_cast<DWORD>(settings_.initialFilter) + 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = kPathBufferSize;
  dialog.lpstrTitle = orNull(settings_.dialogTitle);
  dialog.lpstrInitialDir = orNull(settings_.initialDirectory);
  dialog.lpstrDefExt = orNull(settings_.defaultExtension);
  dialog.Flags = flags();

  const BOOL confirmed =
      settings_.dialogKind == kOpenFile ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
  if (!confirmed) return false;
  settings_.selectedPath = path;
  return true;
}

}  // namespace moxilo
