#include <gtest/gtest.h>

#include <sstream>

#include "TestFiles.h"
#include "map/HLMap.h"
#ifdef _WIN32
#include "platform/Win32Text.h"
#endif

using namespace testing_support;

namespace {
std::string Text(const HLMap& map) {
  std::ostringstream out;
  map.Write(out);
  return out.str();
}
}  // namespace

TEST(HLMap, OneBrushAndOneEntity) {
  HLMap map;
  map.WadSeparator = '\\';
  map.GameDir = "C:\\Games\\Half-Life";
  map.AddEntity(std::make_unique<HLEntityInfoPlayerStart>(HLPoint{32, -32, 40}));
  map.AddBlock(std::make_unique<HLRectBlock>(HLPoint{0, 0, 0}, 64, 64, 16, "ROCK2"));
  EXPECT_EQ(Text(map),
            "{\r\n"
            "\"classname\" \"worldspawn\"\r\n"
            "\"wad\" \"C:\\Games\\Half-Life\\valve\\halflife.wad\"\r\n"
            "{\r\n"
            "( 0 0 0 ) ( 64 0 0 ) ( 64 -64 0 ) ROCK2 0 0 0 1.000000 1.000000\r\n"
            "( 0 -64 -16 ) ( 64 -64 -16 ) ( 64 0 -16 ) ROCK2 0 0 0 1.000000 1.000000\r\n"
            "( 0 0 0 ) ( 0 -64 0 ) ( 0 -64 -16 ) ROCK2 0 0 0 1.000000 1.000000\r\n"
            "( 64 0 -16 ) ( 64 -64 -16 ) ( 64 -64 0 ) ROCK2 0 0 0 1.000000 1.000000\r\n"
            "( 64 0 0 ) ( 0 0 0 ) ( 0 0 -16 ) ROCK2 0 0 0 1.000000 1.000000\r\n"
            "( 64 -64 -16 ) ( 0 -64 -16 ) ( 0 -64 0 ) ROCK2 0 0 0 1.000000 1.000000\r\n"
            "}\r\n"
            "}\r\n"
            "{\r\n"
            "\"classname\" \"info_player_start\"\r\n"
            "\"origin\" \"32 -32 40\"\r\n"
            "}\r\n");
}

TEST(HLMap, WriteMapReplacesTheFileOrSaysWhyNot) {
  TempDir dir;
  HLMap map;
  map.WadSeparator = '/';
  map.GameDir = std::string(600, 'd');  // longer than any line buffer
  WriteFile(dir.File("quorvel.map"), "old");
  ASSERT_TRUE(map.WriteMap(dir.File("quorvel.map")));
  EXPECT_EQ(ReadFile(dir.File("quorvel.map")), "{\r\n\"classname\" \"worldspawn\"\r\n\"wad\" \"" +
                                                   map.GameDir + "/valve/halflife.wad\"\r\n}\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("quorvel.map.tmp")));

  const Result<> failed = map.WriteMap(dir.File("missing/quorvel.map"));
  EXPECT_FALSE(failed);
#ifdef _WIN32
  EXPECT_TRUE(Contains(failed.Error(), platform::ErrorText(3))) << failed.Error();  // ERROR_PATH_NOT_FOUND
#else
  EXPECT_TRUE(Contains(failed.Error(), "No such file")) << failed.Error();
#endif
}
