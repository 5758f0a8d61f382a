#pragma once
// The controls of MainWindow that the avatar commands work on, and the commands
// that the wiring table binds to its buttons.
#include <windows.h>

namespace moxilo {

class PictureBox;  // avatar/picture_box_win.h
class FileDialog;  // avatar/file_dialog_win.h

struct AvatarArea {
  HWND mainWindow = nullptr;
  PictureBox* pictureBox = nullptr;  // 图片框1
  HWND badge = nullptr;              // 图形按钮1
  FileDialog* fileDialog = nullptr;  // 通用对话框1
};

void openPicture(AvatarArea& area);
void saveAvatar(AvatarArea& area);
void nudgeBadgeLeft(AvatarArea& area);
void nudgeBadgeRight(AvatarArea& area);
void nudgeBadgeUp(AvatarArea& area);
void nudgeBadgeDown(AvatarArea& area);

}  // namespace moxilo
