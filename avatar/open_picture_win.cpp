// The Open command: the open-file dialog, then the chosen file into the picture
// box.
#include "avatar/avatar_area_win.h"
#include "avatar/file_dialog_win.h"
#include "avatar/file_io_win.h"
#include "avatar/picture_box_win.h"

namespace moxilo {

void openPicture(AvatarArea& area) {
  if (!area.fileDialog || !area.pictureBox) return;
  FileDialog& dialog = *area.fileDialog;
  dialog.setDialogKind(FileDialog::kOpenFile);
  // A cancelled dialog still goes on: the last confirmed path, if any, is read
  // again in its present state, and no path gives an empty picture.
  dialog.show();
  const ByteBuffer bytes = readWholeFile(dialog.selectedPath());
  area.pictureBox->setPictureBytes(bytes);
}

}  // namespace moxilo
