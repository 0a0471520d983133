#pragma once
// Where a window of the program opens beside the main window: one rule for
// every secondary window (Level, Compile output) in both windows, in
// whatever units the window system gives (so the same at every scale).

namespace shell {

// A rectangle on the desktop, in the window system's units.
struct ScreenRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;

  int Right() const { return X + Width; }
  int Bottom() const { return Y + Height; }
  bool Overlaps(const ScreenRect& other) const {
    return X < other.Right() && other.X < Right() && Y < other.Bottom() && other.Y < Bottom();
  }
  bool operator==(const ScreenRect& other) const {
    return X == other.X && Y == other.Y && Width == other.Width && Height == other.Height;
  }
};

// The frame for a window that wants width x height (at least minWidth x
// minHeight) within screen (the work area), beside owner's frame:
//   1. whole right of owner, else whole left of it;
//   2. whole below it, else whole above it;
//   3. beside it on the side with more room, narrowed to that room, else
//      below or above it, shortened to the room there;
//   4. else at the far side of the screen from keepClear (the part of owner
//      that must stay in sight: its buttons), over the rest of owner but not
//      over keepClear as long as the screen allows it at all.
// Always within screen, shrunk to it if need be.
ScreenRect PlaceBeside(const ScreenRect& owner, const ScreenRect& keepClear, int width, int height,
                       const ScreenRect& screen, int minWidth, int minHeight);

// The frame for a dialog of width x height whose middle pixel (of two, the
// upper left) is owner's, moved (and shrunk, if it must be) into screen.
ScreenRect PlaceCentred(const ScreenRect& owner, int width, int height, const ScreenRect& screen);

}  // namespace shell
