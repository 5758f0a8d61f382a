#include "app/window_design.h"

namespace moxilo {
namespace {

bool isContainer(ControlKind kind) {
  return kind == ControlKind::GroupBox || kind == ControlKind::PictureBox;
}

}  // namespace

Command boundCommand(const WindowDesign& design, int control, Event event) {
  for (const EventBinding& binding : design.bindings) {
    if (binding.control == control && binding.event == event) return binding.command;
  }
  return Command::Nothing;
}

bool designIsValid(const WindowDesign& design) {
  const WindowSettings& settings = design.settings;
  if (settings.title == nullptr || settings.width <= 0 || settings.height <= 0) return false;
  for (int id = 1; design.hasControl(id); ++id) {
    const ControlDesign& control = design.control(id);
    if (control.name == nullptr || control.text == nullptr) return false;
    if (control.width < 0 || control.height < 0) return false;
    if (control.parent != kWindowItself) {
      if (control.parent <= id || !design.hasControl(control.parent)) return false;
      if (!isContainer(design.control(control.parent).kind)) return false;
    }
    if (control.kind == ControlKind::FileDialog && control.fileDialog == nullptr) return false;
    if (control.kind == ControlKind::ImageButton && control.picture == Artwork::None) return false;
  }
  for (const EventBinding& binding : design.bindings) {
    if (binding.control != kWindowItself && !design.hasControl(binding.control)) return false;
  }
  return true;
}

}  // namespace moxilo
