#include <gtest/gtest.h>

#include "TestFiles.h"
#include "map/HLMap.h"

using namespace testing_support;

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
  EXPECT_TRUE(Contains(failed.Error(), kMissingFolderReason)) << failed.Error();
}
