// Turns a WindowDesign into its native window and controls.
#include "app/window_builder_win.h"

#include "app/label_win.h"
#include "app/open_window_record_win.h"
#include "app/resource_ids.h"
#include "avatar/badge_button_win.h"
#include "avatar/picture_box_win.h"

namespace moxilo {
namespace {

constexpr char kWindowClass[] = "MoxiloWindow";

bool registerClasses(HINSTANCE instance) {
  static const bool registered = [instance] {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = designedWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExA(&windowClass) != 0 && registerLabelClass(instance) &&
           PictureBox::registerClass(instance) && registerImageButtonClass(instance);
  }();
  return registered;
}

HFONT defaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

COLORREF colourOf(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

Pixel pixelOf(Rgb rgb) {
  return static_cast<Pixel>(rgb.red) << 16 | static_cast<Pixel>(rgb.green) << 8 | rgb.blue;
}

ByteSpan artworkBytes(Artwork artwork) {
  if (artwork != Artwork::BadgeImage) return {};
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(MOXILO_IDR_BADGE_IMAGE), MAKEINTRESOURCEA(10));
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return {static_cast<const std::uint8_t*>(bytes), SizeofResource(module, found)};
}

DWORD windowStyle(const WindowSettings& settings) {
  // Fixed single border: a caption and a thin frame that cannot be dragged.
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  if (settings.controlBox) style |= WS_SYSMENU;
  if (settings.minimizeButton) style |= WS_MINIMIZEBOX;
  if (settings.maximizeButton) style |= WS_MAXIMIZEBOX;
  return style;
}

HFONT fontFor(OpenWindowRecord& record, const ControlDesign& control) {
  if (control.font == nullptr) return defaultGuiFont();
  const FontDesign& font = *control.font;
  ScopedFont made(CreateFontA(font.height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              font.quality == FontQuality::Proof ? PROOF_QUALITY : DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, font.face));
  if (!made) return defaultGuiFont();
  const HFONT handle = made.get();
  record.fonts.push_back(std::move(made));
  return handle;
}

HWND createStandardControl(const ControlDesign& control, const char* className, DWORD style, DWORD exStyle,
                           HWND parent, int id) {
  style |= WS_CHILD;
  if (control.visible) style |= WS_VISIBLE;
  if (!control.enabled) style |= WS_DISABLED;
  if (control.tabStop) style |= WS_TABSTOP;
  return CreateWindowExA(exStyle, className, control.text, style, control.left, control.top, control.width,
                         control.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

DWORD editStyle(const EditSettings& edit) {
  DWORD style = ES_LEFT;
  if (edit.multiLine) style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (!edit.wrap) style |= ES_AUTOHSCROLL;
  if (edit.readOnly) style |= ES_READONLY;
  if (!edit.hideSelection) style |= ES_NOHIDESEL;
  if (edit.scrollBars) style |= WS_VSCROLL;
  return style;
}

// Makes one control; false when its window cannot be made.
bool createControl(OpenWindowRecord& record, int id) {
  const ControlDesign& control = record.design.control(id);
  HWND parent = control.parent == kWindowItself ? record.window : record.controls[control.parent - 1];
  if (parent == nullptr) return false;
  const RECT bounds{control.left, control.top, control.left + control.width, control.top + control.height};
  HWND made = nullptr;
  switch (control.kind) {
    case ControlKind::Label:
      made = createStandardControl(control, kLabelClass, control.border ? WS_BORDER : 0, 0, parent, id);
      break;
    case ControlKind::Button:
      // Captions centred both ways; line breaks in the text are honoured.
      made = createStandardControl(control, "BUTTON", BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER, 0,
                                   parent, id);
      break;
    case ControlKind::GroupBox:
      made = createStandardControl(control, "BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0, parent, id);
      break;
    case ControlKind::EditBox:
      made = createStandardControl(control, "EDIT", editStyle(control.edit),
                                   control.border ? WS_EX_CLIENTEDGE : 0, parent, id);
      break;
    case ControlKind::PictureBox: {
      PictureBox* box = PictureBox::create(parent, id, bounds, control.visible);
      if (box != nullptr) {
        made = box->window();
        record.area.pictureBox = box;
      }
      break;
    }
    case ControlKind::ImageButton:
      made = createImageButton(parent, id, bounds, control.visible, artworkBytes(control.picture),
                               pixelOf(control.transparentColor.value_or(Rgb{})));
      record.area.badge = made;
      break;
    case ControlKind::FileDialog:
      // A component without a window of its own.
      record.fileDialog = std::make_unique<FileDialog>(record.window, *control.fileDialog);
      record.area.fileDialog = record.fileDialog.get();
      return true;
  }
  if (made == nullptr) return false;
  record.controls[id - 1] = made;
  if (control.kind == ControlKind::Label || control.kind == ControlKind::Button ||
      control.kind == ControlKind::GroupBox || control.kind == ControlKind::EditBox) {
    SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(record, control)), FALSE);
  }
  if (control.backgroundColor) {
    record.backgrounds[id - 1].reset(CreateSolidBrush(colourOf(*control.backgroundColor)));
  }
  if (control.kind == ControlKind::EditBox) {
    SendMessageA(made, EM_SETLIMITTEXT, 0, 0);  // the system's maximum
    SendMessageA(made, EM_SETSEL, 0, 0);
    SendMessageA(made, EM_SCROLLCARET, 0, 0);
  }
  return true;
}

}  // namespace

bool buildWindow(OpenWindowRecord& record, HWND owner) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registerClasses(instance)) return false;
  const WindowSettings& settings = record.design.settings;
  // Centred on the whole primary screen, worked out at each creation.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - settings.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - settings.height) / 2;
  HWND window = CreateWindowExA(settings.alwaysOnTop ? WS_EX_TOPMOST : 0, kWindowClass, settings.title,
                                windowStyle(settings), left, top, settings.width, settings.height, owner,
                                nullptr, instance, &record);
  if (window == nullptr) return false;
  if (!settings.movable) {
    RemoveMenu(GetSystemMenu(window, FALSE), SC_MOVE, MF_BYCOMMAND);
  }
  RECT outer;
  GetWindowRect(window, &outer);
  if (outer.right - outer.left != settings.width || outer.bottom - outer.top != settings.height) {
    SetWindowPos(window, nullptr, left, top, settings.width, settings.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const auto loadIcon = [instance](int size) {
    return LoadImageA(instance, MAKEINTRESOURCEA(MOXILO_IDI_APP), IMAGE_ICON, size, size, LR_SHARED);
  };
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(loadIcon(32)));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(loadIcon(16)));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(defaultGuiFont()), FALSE);

  const int count = static_cast<int>(record.design.controls.size());
  record.controls.assign(static_cast<std::size_t>(count), nullptr);
  record.backgrounds.resize(static_cast<std::size_t>(count));
  record.area.mainWindow = window;
  // Containers come after their contents in design order, so the controls are
  // made from the last to the first, each put on top of its siblings: an
  // earlier control then lies above a later one.
  for (int id = count; id >= 1; --id) {
    if (!createControl(record, id)) {
      DestroyWindow(window);
      return false;
    }
    if (HWND made = record.controls[id - 1]) {
      SetWindowPos(made, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  return true;
}

}  // namespace moxilo
