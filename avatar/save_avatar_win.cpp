// The Save command: the picture box as the screen shows it, Badge included,
// written as a BMP file under whatever name the user confirms.
#include "avatar/avatar_area_win.h"
#include "avatar/capture_win.h"
#include "avatar/file_dialog_win.h"
#include "avatar/file_io_win.h"
#include "avatar/picture_box_win.h"

namespace moxilo {

void saveAvatar(AvatarArea& area) {
  if (!area.fileDialog || !area.pictureBox) return;
  if (area.pictureBox->pictureBytes().empty()) {
    MessageBoxA(nullptr, "请打开图片", "信息：", MB_ICONINFORMATION | MB_TASKMODAL);
    return;
  }
  FileDialog& dialog = *area.fileDialog;
  dialog.setDialogKind(FileDialog::kSaveFile);
  // After a cancel the remembered path is the last one confirmed, most often
  // the picture the user opened: never write the avatar over it.
  if (!dialog.show()) return;

  // Repaint the box and the Badge where the dialog lay, so that the capture
  // holds the avatar and nothing of the dialog.
  const HWND box = area.pictureBox->window();
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const ByteBuffer image = captureWindowImage(box);
  // Nothing captured: the chosen file is neither created nor emptied.
  if (image.empty()) return;
  writeWholeFile(dialog.selectedPath(), image);
}

}  // namespace moxilo
