#pragma once
// Which windows the engine takes over, and how: top-level windows with a
// caption get the frame skin, standard Buttons the button skin; every other
// window is left alone.
#include <windows.h>

namespace moxilo::skinh {

// Subclasses `window` if it is of a kind the engine skins (at most once).
// `style` is the window's style, given by the caller because at creation time
// the CREATESTRUCT holds the authoritative value.
void skinWindow(HWND window, LONG_PTR style);

// Skins every window of the calling thread, children included.
void skinThreadWindows();

// Frame skin (frame_skin_win.cpp) and button skin (button_skin_win.cpp).
void attachFrameSkin(HWND window);
void attachButtonSkin(HWND window);

// Repaints every skinned top-level window with the current skin and Aero
// setting, on the window's own thread.
void refreshSkinnedWindows();

// The registry of skinned top-level windows.
void rememberFrame(HWND window);
void forgetFrame(HWND window);

// Marks a window that the engine has subclassed, so it is subclassed once.
inline constexpr wchar_t kSkinnedProperty[] = L"MoxiloSkinned";

// Sent to a skinned frame to make it repaint itself on its own thread.
UINT refreshMessage();

}  // namespace moxilo::skinh
