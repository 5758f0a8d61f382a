#pragma once
// WindowDesign: the compiled-in description of a window: its settings, its
// controls in design order and its event bindings. Platform-free data; one
// builder turns it into native windows.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "avatar/file_dialog_settings.h"

namespace moxilo {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

// No colour of its own: the system's button-face colour.
inline constexpr std::optional<Rgb> kDefaultColour = std::nullopt;

enum class FontQuality { Default, Proof };

struct FontDesign {
  const char* face;
  int height;  // negative: character height in pixels
  int weight;
  FontQuality quality;
};

enum class StartPosition { Centred };
enum class BorderStyle { FixedSingle };

struct WindowSettings {
  const char* title;
  int width;  // outer size, frame and title bar included
  int height;
  StartPosition startPosition;
  BorderStyle borderStyle;
  bool controlBox;
  bool minimizeButton;
  bool maximizeButton;
  bool movable;
  bool alwaysOnTop;
  bool showInTaskbar;
  bool escCloses;
  bool enterMovesFocus;
  std::optional<Rgb> backgroundColor;
  bool startsVisible;
  // No font: the system's default GUI font. No icon setting: every window
  // shows the application icon.
};

enum class ControlKind { Label, Button, ImageButton, FileDialog, PictureBox, GroupBox, EditBox };

// Pictures compiled into the program.
enum class Artwork { None, BadgeImage };

struct EditSettings {
  bool multiLine;
  bool readOnly;
  bool hideSelection;
  bool wrap;  // no horizontal scrolling: long lines wrap
  bool scrollBars;
};

// The window itself in a control's `parent` or a binding's `control`.
inline constexpr int kWindowItself = 0;

struct ControlDesign {
  const char* name;
  ControlKind kind;
  int parent;  // kWindowItself or the id of a container control
  int left;
  int top;
  int width;
  int height;
  bool visible;
  bool enabled;
  bool tabStop;
  const char* text;  // "" for none
  const FontDesign* font = nullptr;  // null: the system's default GUI font
  std::optional<Rgb> backgroundColor = kDefaultColour;
  std::optional<Rgb> textColor = std::nullopt;  // null: black
  bool border = false;  // labels: thin frame; edit boxes: sunken client edge
  EditSettings edit{};
  Artwork picture = Artwork::None;                   // image buttons
  std::optional<Rgb> transparentColor = std::nullopt;  // image buttons
  const FileDialogSettings* fileDialog = nullptr;      // file dialog components
};

enum class Event { Created, Clicked, Feedback, TextChanged };

// What an event runs; the Windows side maps each to its operation.
enum class Command {
  Nothing,
  ApplySkin13ThenAero,
  ApplySkin13,
  OpenPicture,
  SaveAvatar,
  NudgeBadgeRight,
  NudgeBadgeLeft,
  NudgeBadgeUp,
  NudgeBadgeDown,
  OpenAboutModally,
};

struct EventBinding {
  int control;  // kWindowItself or a control id
  Event event;
  Command command;
};

// A control's id is its 1-based number in design order.
struct WindowDesign {
  std::string_view name;
  WindowSettings settings;
  std::span<const ControlDesign> controls;
  std::span<const EventBinding> bindings;

  const ControlDesign& control(int id) const { return controls[static_cast<std::size_t>(id - 1)]; }
  bool hasControl(int id) const { return id >= 1 && static_cast<std::size_t>(id) <= controls.size(); }
};

// The command bound to (control, event); Command::Nothing when unbound.
Command boundCommand(const WindowDesign& design, int control, Event event);

// Whether the design hangs together: every parent exists and is the window or a
// container kind, and a control's container comes later in design order (so it
// is made before it); sizes are not negative; bindings name existing controls.
bool designIsValid(const WindowDesign& design);

// The designs compiled into the program.
const WindowDesign& mainWindowDesign();
const WindowDesign& aboutWindowDesign();

}  // namespace moxilo
