#include <gtest/gtest.h>

#include "shell/WindowPlacement.h"

namespace {

using shell::PlaceBeside;
using shell::ScreenRect;

const ScreenRect kScreen{0, 0, 1280, 800};

// Right of the owner, else left; narrowed to the room, and on the screen.
TEST(WindowPlacement, BesideTheOwnerAndOnTheScreen) {
  EXPECT_EQ(PlaceBeside({50, 50, 462, 280}, 720, 420, kScreen, 320, 120), (ScreenRect{516, 50, 720, 420}));
  EXPECT_EQ(PlaceBeside({800, 500, 462, 280}, 720, 420, kScreen, 320, 120), (ScreenRect{76, 380, 720, 420}));
  EXPECT_EQ(PlaceBeside({0, 0, 462, 280}, 900, 420, {0, 0, 800, 600}, 320, 120), (ScreenRect{466, 0, 334, 420}));
  // Twice the scale on 1280x800: below the owner while that leaves enough
  // lines, else over the owner's right part rather than off the screen.
  EXPECT_EQ(PlaceBeside({0, 0, 462, 254}, 720, 420, {0, 0, 640, 400}, 320, 120), (ScreenRect{0, 258, 640, 142}));
  EXPECT_EQ(PlaceBeside({0, 0, 462, 280}, 720, 420, {0, 0, 640, 400}, 320, 120), (ScreenRect{320, 0, 320, 400}));
}

}  // namespace
