#include <gtest/gtest.h>

#include "TestFiles.h"
#include "platform/Platform.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// (The compile plan and the game start try files that cannot be run.)
TEST(PlatformFiles, AFolderIsNotAProgram) {
  TempDir dir;
  EXPECT_FALSE(platform::IsExecutable(dir.Str()));  // searchable, but not a program
}

TEST(PlatformFiles, MoveReplacesAnOlderFileEvenOnAnotherFileSystemOrSaysWhyNot) {
  TempDir source;
  const std::string from = source.File("a b;$x.bsp");
  const std::string bytes(300000, 'b');  // more than one copy buffer
  WriteFile(from, bytes);
  EXPECT_FALSE(platform::MoveFileTo(from, source.File("no such folder/quorvel.bsp")).Error().empty());
  EXPECT_EQ(ReadFile(from), bytes);
  for (const fs::path& target : {source.Path / "maps", fs::path("/dev/shm/quorvel-move-test")}) {
    if (!fs::exists(target.parent_path())) continue;
    fs::create_directories(target);
    WriteFile(from, bytes);
    WriteFile(target / "quorvel.bsp", "old");
    const Result<> moved = platform::MoveFileTo(from, (target / "quorvel.bsp").string());
    EXPECT_TRUE(moved) << moved.Error();
    EXPECT_FALSE(fs::exists(from));
    EXPECT_EQ(ReadFile(target / "quorvel.bsp"), bytes);
    EXPECT_EQ(Entries(target).size(), 1u);  // nothing left over
    fs::remove_all(target);
  }
}

}  // namespace
