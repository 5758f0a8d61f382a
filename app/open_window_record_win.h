#pragma once
// What the frame keeps about one open window.
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "app/window_design.h"
#include "avatar/avatar_area_win.h"
#include "avatar/file_dialog_win.h"
#include "base/scoped_gdi_win.h"

namespace moxilo {

struct OpenWindowRecord {
  explicit OpenWindowRecord(const WindowDesign& windowDesign) : design(windowDesign) {}

  const WindowDesign& design;
  HWND window = nullptr;
  // One entry per control, by id - 1; null for a control without a window.
  std::vector<HWND> controls;
  bool openedModally = false;
  std::vector<std::pair<HWND, bool>> disabledWindows;  // (window, wasEnabled)
  bool creationComplete = false;
  HWND rememberedFocus = nullptr;

  // What the window's controls need while it lives.
  std::vector<ScopedFont> fonts;
  std::vector<ScopedBrush> backgrounds;  // by id - 1; null: the default colour
  std::unique_ptr<FileDialog> fileDialog;
  AvatarArea area;

  // The id of a control window of this record, 0 when it is none of them.
  int idOf(HWND control) const {
    for (std::size_t i = 0; i < controls.size(); ++i) {
      if (controls[i] != nullptr && controls[i] == control) return static_cast<int>(i) + 1;
    }
    return 0;
  }
};

}  // namespace moxilo
