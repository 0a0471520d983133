#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <sstream>

#include "map/HLMap.h"
#include "map/Random.h"

namespace fs = std::filesystem;

namespace {
std::string Text(const HLMap& map) {
  std::ostringstream out;
  map.Write(out);
  return out.str();
}
std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("quorvel-map-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir);
  }
  fs::path dir;
};
}  // namespace

TEST(HLMap, WorkedExampleByteForByte) {
  HLMap map;
  map.WadSeparator = '\\';
  map.GameDir = "C:\\Games\\Half-Life";
  map.AddBlock(std::make_unique<HLRectBlock>(HLPoint{0, 0, 0}, 64, 64, 16, "ROCK2"));
  map.AddEntity(std::make_unique<HLEntityInfoPlayerStart>(HLPoint{32, -32, 40}));
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
  EXPECT_EQ(map.NumBlocks(), 1);
  EXPECT_EQ(map.NumEntities(), 1);
}

TEST(HLMap, EmptyMapIsFourLinesAndWadFollowsGameDirVerbatim) {
  HLMap map;
  map.WadSeparator = '\\';
  EXPECT_EQ(Text(map), "{\r\n\"classname\" \"worldspawn\"\r\n\"wad\" \"\\valve\\halflife.wad\"\r\n}\r\n");
  map.GameDir = "C:\\Game\\";
  EXPECT_NE(Text(map).find("\"wad\" \"C:\\Game\\\\valve\\halflife.wad\""), std::string::npos);
  HLMap posix;
  posix.WadSeparator = '/';
  posix.GameDir = std::string(600, 'd');  // no length limit
  EXPECT_NE(Text(posix).find("\"wad\" \"" + std::string(600, 'd') + "/valve/halflife.wad\"\r\n"),
            std::string::npos);
}

TEST(HLMap, BrushesBeforeEntitiesInInsertionOrderAndBrushEntityBrushInside) {
  HLMap map;
  Random rng(1);
  map.AddEntity(std::make_unique<HLEntityLight>(HLPoint{1, 1, 1}));
  map.AddBlock(std::make_unique<HLRectBlock>(HLPoint{0, 0, 0}, 1, 1, 1, "GRAY      "));
  map.AddEntity(std::make_unique<HLEntityCrate>(HLPoint{0, 0, 56}, 0, rng));
  map.AddBlock(std::make_unique<HLRectBlock>(HLPoint{0, 0, 0}, 1, 1, 1, "BRICK49      "));
  const std::string text = Text(map);
  const size_t gray = text.find("GRAY"), brick = text.find("BRICK49"), close = text.find("}\r\n}\r\n{");
  const size_t light = text.find("\"light\""), crate = text.find("func_pushable"), wood = text.find("WOOD");
  EXPECT_LT(gray, brick);
  EXPECT_LT(brick, close);
  EXPECT_LT(close, light);
  EXPECT_LT(light, crate);
  EXPECT_LT(crate, wood);
  EXPECT_EQ(map.NumBlocks(), 2);
}

TEST_F(TempDir, WriteMapWritesTheTextAndReplacesAnOlderFile) {
  HLMap map;
  map.GameDir = "/games/hl";
  const fs::path target = dir / "quorvel.map";
  std::ofstream(target) << "old";
  ASSERT_TRUE(map.WriteMap(target.string()));
  EXPECT_EQ(ReadFile(target), Text(map));
  EXPECT_FALSE(fs::exists(target.string() + ".tmp"));
}

TEST_F(TempDir, WriteMapIntoMissingDirectoryFailsWithReason) {
  HLMap map;
  const Result<> result = map.WriteMap((dir / "missing" / "quorvel.map").string());
  EXPECT_FALSE(result);
  EXPECT_NE(result.Error().find("No such file"), std::string::npos) << result.Error();
}

TEST_F(TempDir, WriteMapIntoReadOnlyDirectoryLeavesOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  const fs::path target = dir / "quorvel.map";
  std::ofstream(target) << "old";
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  HLMap map;
  const Result<> result = map.WriteMap(target.string());
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.Error().empty());
  EXPECT_EQ(ReadFile(target), "old");
}
