#include "shell/WindowPlacement.h"

#include <algorithm>

namespace shell {

namespace {

constexpr int kGap = 4;

// placed beside owner on one side, its size cut to the room there (never
// below minimum); false when the room is smaller than that.
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

ScreenRect PlaceBeside(const ScreenRect& owner, const ScreenRect& keepClear, int width, int height,
                       const ScreenRect& screen, int minWidth, int minHeight) {
  const ScreenRect fitted{0, 0, std::min(width, screen.Width), std::min(height, screen.Height)};
  const bool rightWider = screen.Right() - owner.Right() >= owner.X - screen.X;
  const bool belowTaller = screen.Bottom() - owner.Bottom() >= owner.Y - screen.Y;
  struct Side {
    bool Horizontal, After;
    int Minimum;
  };
  const Side sides[] = {
      {true, true, fitted.Width},           {true, false, fitted.Width},       // whole beside
      {false, true, fitted.Height},         {false, false, fitted.Height},     // whole below or above
      {true, rightWider, minWidth},         {false, belowTaller, minHeight},   // cut to the room
  };
  for (const Side& side : sides) {
    ScreenRect placed = fitted;
    if (PlaceOnSide(placed, owner, screen, side.Horizontal, side.After, side.Minimum)) return placed;
  }
  // Over the owner, at the screen's edge away from what must stay in sight.
  ScreenRect placed = fitted;
  const bool clearOnRight = keepClear.X + keepClear.Width / 2 >= owner.X + owner.Width / 2;
  const int room = clearOnRight ? keepClear.X - kGap - screen.X : screen.Right() - keepClear.Right() - kGap;
  placed.Width = std::clamp(room, std::min(minWidth, fitted.Width), fitted.Width);
  placed.X = clearOnRight ? screen.X : screen.Right() - placed.Width;
  placed.Y = std::clamp(owner.Y, screen.Y, screen.Bottom() - placed.Height);
  return placed;
}

ScreenRect PlaceCentred(const ScreenRect& owner, int width, int height, const ScreenRect& screen) {
  ScreenRect placed{0, 0, std::min(width, screen.Width), std::min(height, screen.Height)};
  placed.X = std::clamp(owner.X + (owner.Width - 1) / 2 - (width - 1) / 2, screen.X, screen.Right() - placed.Width);
  placed.Y = std::clamp(owner.Y + (owner.Height - 1) / 2 - (height - 1) / 2, screen.Y, screen.Bottom() - placed.Height);
  return placed;
}

}  // namespace shell
