#include <gtest/gtest.h>

#include "shell/WindowPlacement.h"

namespace {

using shell::PlaceBeside;
using shell::ScreenRect;

// The main window at 96 DPI, its buttons the right 106 pixels.
ScreenRect Owner(int x, int y, int scale = 1) { return {x, y, 462 * scale, 280 * scale}; }
ScreenRect Buttons(const ScreenRect& owner, int scale = 1) {
  return {owner.Right() - 106 * scale, owner.Y, 106 * scale, 235 * scale};
}

bool Within(const ScreenRect& inner, const ScreenRect& outer) {
  return inner.X >= outer.X && inner.Y >= outer.Y && inner.Right() <= outer.Right() && inner.Bottom() <= outer.Bottom();
}

TEST(WindowPlacement, BesideThenBelowThenCutToTheRoom) {
  const ScreenRect screen{0, 0, 1280, 800};
  const auto place = [&](const ScreenRect& owner, int w, int h, int minW, int minH) {
    return PlaceBeside(owner, Buttons(owner), w, h, screen, minW, minH);
  };
  EXPECT_EQ(place(Owner(50, 50), 720, 420, 320, 120), (ScreenRect{516, 50, 720, 420}));  // right
  EXPECT_EQ(place(Owner(800, 500), 720, 420, 320, 120), (ScreenRect{76, 380, 720, 420}));  // left, on the screen
  // Centred on the screen: too wide for either side, so below, whole.
  const ScreenRect centred = Owner(409, 100);
  EXPECT_EQ(place(centred, 620, 400, 400, 300), (ScreenRect{409, 384, 620, 400}));
  // Not whole anywhere: narrowed beside while it keeps its least width,
  // else shortened below.
  const ScreenRect middle = Owner(409, 260);
  EXPECT_EQ(place(middle, 620, 420, 400, 300), (ScreenRect{875, 260, 405, 420}));
  EXPECT_EQ(place(middle, 620, 420, 450, 200), (ScreenRect{409, 544, 620, 256}));
}

// At twice the scale a 1280x800 screen is 640x400 units: no side has room,
// so the window goes to the far edge, over the options but not the buttons.
TEST(WindowPlacement, WithoutRoomItLeavesTheButtonsInSight) {
  const ScreenRect screen{0, 0, 640, 400};
  const ScreenRect owner{89, 73, 462, 254};
  const ScreenRect placed = PlaceBeside(owner, Buttons(owner), 720, 420, screen, 320, 200);
  EXPECT_TRUE(Within(placed, screen));
  EXPECT_FALSE(placed.Overlaps(Buttons(owner)));
  EXPECT_EQ(placed, (ScreenRect{0, 0, 441, 400}));
  // Buttons on the left (a mirrored layout): the window goes right.
  const ScreenRect left{owner.X, owner.Y, 106, 235};
  const ScreenRect mirrored = PlaceBeside(owner, left, 720, 420, screen, 320, 200);
  EXPECT_FALSE(mirrored.Overlaps(left));
  EXPECT_EQ(mirrored.Right(), 640);
  // Where even the least width cannot stay clear, it is kept on the screen.
  EXPECT_TRUE(Within(PlaceBeside(owner, Buttons(owner), 720, 420, screen, 600, 200), screen));
}

// A dialog opens over the owner's centre, moved onto the screen when the
// owner is near its edge, and shrunk only when the screen is smaller.
TEST(WindowPlacement, DialogsCentredOnTheOwnerAndKeptOnTheScreen) {
  const ScreenRect screen{0, 0, 1280, 800};
  EXPECT_EQ(shell::PlaceCentred(Owner(100, 100), 300, 180, screen), (ScreenRect{181, 150, 300, 180}));
  EXPECT_EQ(shell::PlaceCentred({100, 100, 463, 281}, 300, 180, screen), (ScreenRect{182, 151, 300, 180}));
  EXPECT_EQ(shell::PlaceCentred(Owner(-300, 700), 300, 180, screen), (ScreenRect{0, 620, 300, 180}));
  EXPECT_EQ(shell::PlaceCentred(Owner(1100, -90), 300, 180, screen), (ScreenRect{980, 0, 300, 180}));
  EXPECT_EQ(shell::PlaceCentred(Owner(0, 0), 300, 900, screen), (ScreenRect{81, 0, 300, 800}));
}

}  // namespace
