#include <gtest/gtest.h>

#include "FakeTools.h"
#include "shell/CompileVerdict.h"

using namespace testing_support;

namespace {

TEST(CompileVerdict, ShowsTheToolsErrorLinesElseItsLastLines) {
  EXPECT_EQ(shell::MeaningfulLines("csg v1\r\nError: a\nreading\nError: b\r\n\nError: b\ndone\n"), "Error: a\nError: b");
  EXPECT_EQ(shell::MeaningfulLines("1\n2\n\n3\n4\n5\n6\r\n   \n"), "2\n3\n4\n5\n6");
}

TEST(CompileVerdict, FindsTheWadFileTheLevelNamesAndLacks) {
  TempDir dir;
  WriteFile(dir.File("there.wad"), "");
  const std::string map = dir.File("quorvel.map");
  WriteFile(map, "{\r\n\"classname\" \"worldspawn\"\r\n\"wad\" \"" + dir.File("there.wad") + ";" + dir.File("gone.wad") +
                     "\"\r\n{\r\n}\r\n");
  EXPECT_EQ(shell::MissingWadFile(map), dir.File("gone.wad"));
  WriteFile(map, "{\n\"wad\" \"" + dir.File("there.wad") + "\"\n}\n");
  EXPECT_EQ(shell::MissingWadFile(map), std::nullopt);
}

}  // namespace
