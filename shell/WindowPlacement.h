#pragma once
// Where a window of the program opens beside the main window: never over it
// when the screen has room, always whole on the screen.

namespace shell {

// A rectangle on the desktop, in the window system's units.
struct ScreenRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;

  int Right() const { return X + Width; }
  int Bottom() const { return Y + Height; }
  bool operator==(const ScreenRect& other) const {
    return X == other.X && Y == other.Y && Width == other.Width && Height == other.Height;
  }
};

// The frame of a window that would be width x height, placed beside owner's
// frame within screen (the screen's area for windows): right of owner, else
// left, at owner's top; when neither side takes it whole, narrowed to the
// side with more room, down to minWidth; else below or above owner,
// shortened down to minHeight; else at the screen's edge on the side with
// more room, over part of owner. Shrunk to the screen and kept inside it in
// every case.
ScreenRect PlaceBeside(const ScreenRect& owner, int width, int height, const ScreenRect& screen, int minWidth,
                       int minHeight);

}  // namespace shell
