#pragma once
// The design settings of the shared file dialog component.
#include <string>

namespace moxilo {

struct FileDialogSettings {
  int dialogKind = 0;  // 0 open-file, 1 save-file
  std::string dialogTitle;
  std::string selectedPath;
  std::string fileFilter;
  int initialFilter = 0;
  std::string initialDirectory;
  std::string defaultExtension;
  bool promptCreate = false;
  bool fileMustExist = false;
  bool promptOverwrite = false;
  bool pathMustExist = false;
  bool keepDirectory = false;
};

}  // namespace moxilo
