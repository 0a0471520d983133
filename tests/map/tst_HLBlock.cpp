#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "map/HLBlock.h"

namespace {
std::string Text(const HLBlock& block) {
  std::ostringstream out;
  block.Write(out);
  return out.str();
}
}  // namespace

TEST(HLBlock, BrushWithoutFacesIsTwoLines) { EXPECT_EQ(Text(HLBlock()), "{\r\n}\r\n"); }

TEST(HLBlock, SquareBlockExampleWithTrailingSpaces) {
  HLSquareBlock cube({100, 200, 56}, 56, "WOOD26  ");
  EXPECT_EQ(Text(cube),
            "{\r\n"
            "( 100 200 56 ) ( 156 200 56 ) ( 156 144 56 ) WOOD26   0 0 0 1.000000 1.000000\r\n"
            "( 100 144 0 ) ( 156 144 0 ) ( 156 200 0 ) WOOD26   0 0 0 1.000000 1.000000\r\n"
            "( 100 200 56 ) ( 100 144 56 ) ( 100 144 0 ) WOOD26   0 0 0 1.000000 1.000000\r\n"
            "( 156 200 0 ) ( 156 144 0 ) ( 156 144 56 ) WOOD26   0 0 0 1.000000 1.000000\r\n"
            "( 156 200 56 ) ( 100 200 56 ) ( 100 200 0 ) WOOD26   0 0 0 1.000000 1.000000\r\n"
            "( 156 144 0 ) ( 100 144 0 ) ( 100 144 56 ) WOOD26   0 0 0 1.000000 1.000000\r\n"
            "}\r\n");
  EXPECT_EQ(Text(cube), Text(HLRectBlock({100, 200, 56}, 56, 56, 56, "WOOD26  ")));
}

TEST(HLBlock, ChangedFaceAlignmentIsWritten) {
  HLRectBlock plate({901, 795, 5}, 54, 54, 5, "BOLTS");
  plate.Walls[0].XOffset = 32;
  plate.Walls[0].YScale = 0.8f;
  const std::string text = Text(plate);
  EXPECT_NE(text.find("( 901 795 5 ) ( 955 795 5 ) ( 955 741 5 ) BOLTS 32 0 0 1.000000 0.800000\r\n"),
            std::string::npos);
  EXPECT_EQ(plate.NumWalls(), 6);
}

TEST(HLBlock, FaceNormalsPointOutOfTheBox) {
  HLRectBlock box({-10, 20, 30}, 5, 7, 9, "GRAY      ");
  // Box centre, doubled to stay in integers.
  const long cx = 2 * -10 + 5, cy = 2 * 20 - 7, cz = 2 * 30 - 9;
  for (const HLWall& w : box.Walls) {
    const long ax = w.P1.X - w.P2.X, ay = w.P1.Y - w.P2.Y, az = w.P1.Z - w.P2.Z;
    const long bx = w.P3.X - w.P2.X, by = w.P3.Y - w.P2.Y, bz = w.P3.Z - w.P2.Z;
    const long nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
    const long dot = nx * (2 * w.P2.X - cx) + ny * (2 * w.P2.Y - cy) + nz * (2 * w.P2.Z - cz);
    EXPECT_GT(dot, 0);
  }
}

TEST(HLBlock, PlaneLineMatchesPrintfForAnyValues) {
  const float scales[] = {1.0f, 0.8f, -2.5f, 1e-7f, 123456.789f, 3.4e38f, 0.0f, -0.0f};
  const int ints[] = {0, -1, 2147483647, -2147483647 - 1, 42};
  for (float scale : scales)
    for (int v : ints) {
      HLWall wall("T x ", v, v / 2, v, scale, 1.0f / 3);
      wall.SetPoints({v, -7, 0}, {1, v, -1}, {v / 3, 2, v});
      std::ostringstream out;
      wall.Write(out);
      char expected[1024];
      std::snprintf(expected, sizeof expected,
                    "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s %d %d %d %f %f\r\n", v, -7, 0, 1, v,
                    -1, v / 3, 2, v, "T x ", v, v / 2, v, static_cast<double>(scale),
                    static_cast<double>(1.0f / 3));
      ASSERT_EQ(out.str(), expected);
    }
}
