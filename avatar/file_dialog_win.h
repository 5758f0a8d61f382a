#pragma once
// 通用对话框1: the file dialog component of MainWindow, shared by Open and Save,
// so both see one remembered path. The system dialog exists only while show()
// runs. Text properties are in the system's ANSI code page; reading one gives a
// fresh copy and writing one stores a copy.
#include <windows.h>

#include <string>
#include <string_view>

#include "avatar/file_dialog_settings.h"

namespace moxilo {

class FileDialog {
 public:
  enum Kind { kOpenFile = 0, kSaveFile = 1 };

  // `owner` is the window the dialog is modal over.
  FileDialog(HWND owner, const FileDialogSettings& settings);

  int dialogKind() const { return settings_.dialogKind; }
  void setDialogKind(int kind);  // clamped to 0..3; 2 and 3 show nothing
  std::string dialogTitle() const { return settings_.dialogTitle; }
  void setDialogTitle(std::string_view title) { settings_.dialogTitle = title; }
  std::string selectedPath() const { return settings_.selectedPath; }
  void setSelectedPath(std::string_view path) { settings_.selectedPath = path; }
  std::string fileFilter() const { return settings_.fileFilter; }
  void setFileFilter(std::string_view filter) { settings_.fileFilter = filter; }
  int initialFilter() const { return settings_.initialFilter; }
  void setInitialFilter(int index);  // a negative index is stored as 0
  std::string initialDirectory() const { return settings_.initialDirectory; }
  void setInitialDirectory(std::string_view folder) { settings_.initialDirectory = folder; }
  std::string defaultExtension() const { return settings_.defaultExtension; }
  void setDefaultExtension(std::string_view extension) { settings_.defaultExtension = extension; }

  bool promptCreate() const { return settings_.promptCreate; }
  void setPromptCreate(bool on) { settings_.promptCreate = on; }
  bool fileMustExist() const { return settings_.fileMustExist; }
  void setFileMustExist(bool on) { settings_.fileMustExist = on; }
  bool promptOverwrite() const { return settings_.promptOverwrite; }
  void setPromptOverwrite(bool on) { settings_.promptOverwrite = on; }
  bool pathMustExist() const { return settings_.pathMustExist; }
  void setPathMustExist(bool on) { settings_.pathMustExist = on; }
  bool keepDirectory() const { return settings_.keepDirectory; }
  void setKeepDirectory(bool on) { settings_.keepDirectory = on; }

  // Shows the system's open-file (kind 0) or save-file (kind 1) dialog, modal
  // over the owner, starting at selectedPath. True when the user confirmed a
  // file; only then does selectedPath change, to the full path returned.
  bool show();

 private:
  DWORD flags() const;

  HWND owner_;
  FileDialogSettings settings_;
};

}  // namespace moxilo
