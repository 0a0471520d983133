#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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
