#pragma once
// Where the parts of a skinned window frame lie, in window coordinates. One
// function serves both hit-testing and painting, so they never disagree.
#include <windows.h>

namespace moxilo::skinh {

struct FrameLayout {
  SIZE window{};   // outer size
  RECT client{};   // the client area
  RECT caption{};  // the caption bar, between the top border and the client area
  RECT icon{};     // empty when the window shows no icon
  RECT closeBox{}; // empty when the window has no close box
  RECT title{};    // where the title text goes
};

// The system keeps computing the frame (WM_NCCALCSIZE is left alone): the
// layout is read back from the window and client rectangles.
FrameLayout computeFrameLayout(HWND window, bool hasIcon);

// Whether the engine paints this window's frame: a caption, no menu bar, no
// scroll bars, no minimise or maximise box, not minimised or maximised.
bool isFrameSkinnable(HWND window);

}  // namespace moxilo::skinh
