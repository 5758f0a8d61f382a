#pragma once
// Paints standard push buttons and group boxes in a skin, into any DC.
#include <windows.h>

#include "skinh/skin_theme_win.h"

namespace moxilo::skinh {

struct ButtonLook {
  bool hover = false;
  bool pressed = false;
  bool focused = false;
  bool disabled = false;
  bool isDefault = false;
};

// The caption's lines are centred as a block, each line centred; '&' marks a
// mnemonic, which is shown underlined.
void paintPushButton(HDC dc, const RECT& rect, const SkinTheme& theme, const ButtonLook& look, const wchar_t* text,
                     int length, HFONT font);

// Frame with the caption on its top edge; the inside is filled with the face
// colour. The caller clips child windows out of the DC.
void paintGroupBox(HDC dc, const RECT& rect, const SkinTheme& theme, bool disabled, const wchar_t* text, int length,
                   HFONT font);

}  // namespace moxilo::skinh
