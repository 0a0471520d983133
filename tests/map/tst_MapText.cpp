#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "map/HLBlock.h"
#include "map/MapText.h"

// Lines are put together piece by piece and plane lines by hand, for speed;
// they must read as printf's, the longest numbers included, however far the
// text grows past the room first set aside. (The golden levels pin the
// values levels use.)
TEST(MapText, LinesMatchPrintfWhileTheBufferGrows) {
  MapText text(1);
  text.Key("origin", HLPoint{0, -7, 2147483647}).Key("_light", -2147483647 - 1, 1, 200, 255);
  const std::string texture(300, 't');
  HLWall wall(texture, 1, -2, 3, 3.4e38f, 1.0f / 3);
  wall.SetPoints({1, 2, 3}, {-4, 5, -6}, {7, -8, 9});
  wall.Write(text);
  const std::string name(1000, 'n');
  text.Key("classname", name).Line("}");
  char lines[1024];
  std::snprintf(lines, sizeof lines,
                "\"origin\" \"0 -7 2147483647\"\r\n\"_light\" \"-2147483648 1 200 255\"\r\n"
                "( 1 2 3 ) ( -4 5 -6 ) ( 7 -8 9 ) %s 1 -2 3 %f %f\r\n",
                texture.c_str(), static_cast<double>(3.4e38f), static_cast<double>(1.0f / 3));
  EXPECT_EQ(text.View(), lines + ("\"classname\" \"" + name + "\"\r\n}\r\n"));
}
