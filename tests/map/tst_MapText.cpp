#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "map/HLBlock.h"
#include "map/MapText.h"

// Key lines are put together piece by piece; they must read as printf's,
// however long the text grows past the room first set aside.
TEST(MapText, KeyLinesMatchPrintf) {
  const int ints[] = {0, 7, -1, 2147483647, -2147483647 - 1};
  MapText text(1);
  std::string expected;
  char line[128];
  for (int a : ints)
    for (int b : ints) {
      text.Key("origin", HLPoint{a, b, a / 2});
      std::snprintf(line, sizeof line, "\"origin\" \"%d %d %d\"\r\n", a, b, a / 2);
      expected += line;
      text.Key("_light", a, b, 200, 255);
      std::snprintf(line, sizeof line, "\"_light\" \"%d %d %d %d\"\r\n", a, b, 200, 255);
      expected += line;
    }
  const std::string name(1000, 'n');
  text.Key("classname", name).Line("}");
  expected += "\"classname\" \"" + name + "\"\r\n}\r\n";
  EXPECT_EQ(text.View(), expected);
}

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
