#include <gtest/gtest.h>

#include <cstdio>

#include "map/HLBlock.h"
#include "map/MapText.h"

// Plane lines are assembled by hand for speed; they must read as printf's.
TEST(HLBlock, PlaneLineMatchesPrintfForAnyValues) {
  const float scales[] = {1.0f, 0.8f, -2.5f, 1e-7f, 123456.789f, 3.4e38f, 0.0f, -0.0f};
  const int ints[] = {0, -1, 2147483647, -2147483647 - 1, 42};
  const std::string textures[] = {"T x ", std::string(300, 't')};
  for (const std::string& texture : textures)
    for (float scale : scales)
      for (int v : ints) {
        HLWall wall(texture, v, v / 2, v, scale, 1.0f / 3);
        wall.SetPoints({v, -7, 0}, {1, v, -1}, {v / 3, 2, v});
        MapText out(16);
        wall.Write(out);
        char expected[1024];
        std::snprintf(expected, sizeof expected,
                      "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s %d %d %d %f %f\r\n", v, -7, 0, 1,
                      v, -1, v / 3, 2, v, texture.c_str(), v, v / 2, v, static_cast<double>(scale),
                      static_cast<double>(1.0f / 3));
        ASSERT_EQ(out.View(), expected);
      }
}
