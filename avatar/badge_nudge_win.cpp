// The four nudge commands: each reads the Badge's live position, moves it one
// pixel and writes it back through the clamp.
#include "avatar/avatar_area_win.h"
#include "avatar/badge_position.h"

namespace moxilo {
namespace {

enum class Edge { Left, Top };

void nudgeBadge(const AvatarArea& area, Edge edge, int delta) {
  HWND badge = area.badge;
  if (badge == nullptr || !IsWindow(badge)) return;
  // leftEdge and topEdge: the window's place in its container's client area.
  RECT bounds;
  GetWindowRect(badge, &bounds);
  MapWindowPoints(HWND_DESKTOP, GetParent(badge), reinterpret_cast<POINT*>(&bounds), 2);
  int left = bounds.left;
  int top = bounds.top;
  int& changed = edge == Edge::Left ? left : top;
  changed = clampControlEdge(static_cast<long long>(changed) + delta);
  MoveWindow(badge, left, top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
}

}  // namespace

void nudgeBadgeLeft(AvatarArea& area) { nudgeBadge(area, Edge::Left, -1); }
void nudgeBadgeRight(AvatarArea& area) { nudgeBadge(area, Edge::Left, +1); }
void nudgeBadgeUp(AvatarArea& area) { nudgeBadge(area, Edge::Top, -1); }
void nudgeBadgeDown(AvatarArea& area) { nudgeBadge(area, Edge::Top, +1); }

}  // namespace moxilo
