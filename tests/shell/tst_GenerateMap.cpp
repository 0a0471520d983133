#include <gtest/gtest.h>

#include <sstream>

#include "TestFiles.h"
#include "shell/GenerateMap.h"

using namespace testing_support;

namespace {

TEST(GenerateMap, WritesTheLevelOfTheSeedBesideTheSettingsOrSaysWhyNot) {
  TempDir dir;
  shell::GenerateRequest request;
  request.Options.MapDim = 0;
  request.Seed = 42;
  shell::LevelTarget target;
  target.LevelDir = dir.Str();
  target.GameDir = "/games/Half-Life";
  const auto made = shell::GenerateMap(request, target);
  ASSERT_TRUE(made.Ok()) << made.Error();
  EXPECT_EQ(made->Seed, 42u);

  // The same bytes as the generator gives for that seed and those options.
  Labyrinth lab(request.Options, 42);
  EXPECT_EQ(lab.GenerateLevel(), made->Attempts);
  lab.GameDir = target.GameDir;
  std::ostringstream expected;
  lab.Write(expected);
  EXPECT_EQ(ReadFile(dir.File("quorvel.map")), expected.str());
  EXPECT_EQ(made->MapText, expected.str());
  EXPECT_EQ(made->Entities, lab.NumEntities());
  request.Options.Friends = 7;
  EXPECT_EQ(shell::GenerateMap(request, target).Error(), "Friends must be 0 to 2, not 7");
  request.Options.Friends = 0;
  target.LevelDir = dir.File("missing");
  const auto failed = shell::GenerateMap(request, target);
  ASSERT_FALSE(failed.Ok());
  EXPECT_TRUE(Contains(failed.Error(), "Cannot write " + dir.File("missing/quorvel.map") + ": ")) << failed.Error();
}

TEST(NextSeed, EveryPressInOneSecondTakesTheNextUnusedSeed) {
  EXPECT_EQ(shell::NextSeed(std::nullopt, 1000), 1000u);
  EXPECT_EQ(shell::NextSeed(1000u, 1000), 1001u);
  EXPECT_EQ(shell::NextSeed(1002u, 1001), 1003u);  // 1001 was used already
  EXPECT_EQ(shell::NextSeed(1003u, 1010), 1010u);  // the clock has moved on
}

}  // namespace
