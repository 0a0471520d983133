#include "shell/WindowPlacement.h"

#include <algorithm>

namespace shell {

ScreenRect PlaceBeside(const ScreenRect& owner, int width, int height, const ScreenRect& screen, int minWidth) {
  constexpr int kGap = 4;
  ScreenRect placed;
  placed.Width = std::min(width, screen.Width);
  placed.Height = std::min(height, screen.Height);
  const int rightRoom = screen.Right() - owner.Right() - kGap;
  const int leftRoom = owner.X - kGap - screen.X;
  const bool right = placed.Width <= rightRoom || (placed.Width > leftRoom && rightRoom >= leftRoom);
  const int room = right ? rightRoom : leftRoom;
  if (placed.Width > room) placed.Width = std::min(placed.Width, std::max(room, minWidth));
  if (placed.Width <= room)
    placed.X = right ? owner.Right() + kGap : owner.X - kGap - placed.Width;
  else
    placed.X = right ? screen.Right() - placed.Width : screen.X;
  placed.Y = std::clamp(owner.Y, screen.Y, screen.Bottom() - placed.Height);
  return placed;
}

}  // namespace shell
