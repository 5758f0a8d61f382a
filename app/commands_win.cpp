#include "app/commands_win.h"

#include "app/open_window_record_win.h"
#include "app/window_frame_win.h"
#include "avatar/avatar_area_win.h"
#include "skin/skin_application_win.h"

namespace moxilo {

void runCommand(Command command, OpenWindowRecord& record) {
  switch (command) {
    case Command::Nothing:
      return;
    case Command::ApplySkin13ThenAero:
      applySkin(13);
      enableSkinAero();
      return;
    case Command::ApplySkin13:
      applySkin(13);
      return;
    case Command::OpenPicture:
      openPicture(record.area);
      return;
    case Command::SaveAvatar:
      saveAvatar(record.area);
      return;
    case Command::NudgeBadgeRight:
      nudgeBadgeRight(record.area);
      return;
    case Command::NudgeBadgeLeft:
      nudgeBadgeLeft(record.area);
      return;
    case Command::NudgeBadgeUp:
      nudgeBadgeUp(record.area);
      return;
    case Command::NudgeBadgeDown:
      nudgeBadgeDown(record.area);
      return;
    case Command::OpenAboutModally:
      openWindow(aboutWindowDesign(), nullptr, true);  // a failure shows nothing and changes nothing
      return;
  }
}

void raiseEvent(OpenWindowRecord& record, int control, Event event) {
  runCommand(boundCommand(record.design, control, event), record);
}

}  // namespace moxilo
