#include "shell/WindowPlacement.h"

#include <algorithm>

namespace shell {

namespace {

constexpr int kGap = 4;

// Beside owner on one side: narrowed (or, above and below, shortened) to the
// room there, or nothing when that would be below the minimum.
bool PlaceOnSide(ScreenRect& placed, const ScreenRect& owner, const ScreenRect& screen, bool horizontal, bool after,
                 int minimum) {
  const int room = horizontal ? (after ? screen.Right() - owner.Right() : owner.X - screen.X) - kGap
                              : (after ? screen.Bottom() - owner.Bottom() : owner.Y - screen.Y) - kGap;
  int& size = horizontal ? placed.Width : placed.Height;
  if (room < std::min(size, minimum)) return false;
  size = std::min(size, room);
  if (horizontal) {
    placed.X = after ? owner.Right() + kGap : owner.X - kGap - placed.Width;
    placed.Y = std::clamp(owner.Y, screen.Y, screen.Bottom() - placed.Height);
  } else {
    placed.Y = after ? owner.Bottom() + kGap : owner.Y - kGap - placed.Height;
    placed.X = std::clamp(owner.X, screen.X, screen.Right() - placed.Width);
  }
  return true;
}

}  // namespace

ScreenRect PlaceBeside(const ScreenRect& owner, int width, int height, const ScreenRect& screen, int minWidth,
                       int minHeight) {
  const ScreenRect fitted{0, 0, std::min(width, screen.Width), std::min(height, screen.Height)};
  const int rightRoom = screen.Right() - owner.Right();
  const int leftRoom = owner.X - screen.X;
  // Whole beside it, then narrowed beside it, then shortened below or above.
  struct Side {
    bool Horizontal, After;
    int Minimum;
  };
  for (const Side side : {Side{true, true, fitted.Width}, Side{true, false, fitted.Width},
                          Side{true, rightRoom >= leftRoom, minWidth}, Side{false, true, minHeight},
                          Side{false, false, minHeight}}) {
    ScreenRect placed = fitted;
    if (PlaceOnSide(placed, owner, screen, side.Horizontal, side.After, side.Minimum)) return placed;
  }
  // No side has room: over owner's part on the side with more room.
  ScreenRect placed = fitted;
  placed.Width = std::min(fitted.Width, std::max(minWidth, std::max(rightRoom, leftRoom) - kGap));
  placed.X = rightRoom >= leftRoom ? screen.Right() - placed.Width : screen.X;
  placed.Y = std::clamp(owner.Y, screen.Y, screen.Bottom() - placed.Height);
  return placed;
}

}  // namespace shell
