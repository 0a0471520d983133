#include <gtest/gtest.h>

#include <sstream>

#include "TestFiles.h"
#include "shell/GenerateMap.h"
#include "shell/Names.h"

using namespace testing_support;

namespace {

TEST(GenerateMap, WritesTheLevelOfTheSeedBesideTheSettingsOrSaysWhyNot) {
  TempDir dir;
  shell::GenerateRequest request;
  request.Options.MapDim = 0;
  request.AppDir = dir.Str();
  request.GameDir = "/games/Half-Life";
  request.Seed = 42;
  const auto made = shell::GenerateMap(request);
  ASSERT_TRUE(made.Ok()) << made.Error();
  EXPECT_EQ(made->StatusText, ".map generated");
  EXPECT_EQ(made->MapPath, dir.File("quorvel.map"));
  EXPECT_EQ(made->Seed, 42u);

  // The same bytes as the generator gives for that seed and those options.
  Labyrinth lab(request.Options, 42);
  EXPECT_EQ(lab.GenerateLevel(), made->Attempts);
  lab.GameDir = request.GameDir;
  std::ostringstream expected;
  lab.Write(expected);
  EXPECT_EQ(ReadFile(made->MapPath), expected.str());
  EXPECT_TRUE(Contains(expected.str(), "/games/Half-Life/valve/halflife.wad"));
  EXPECT_EQ(made->Entities, lab.NumEntities());
  request.MaxAttempts = 0;
  EXPECT_EQ(shell::GenerateMap(request).Error(), "Error generating labyrinth: try again");
  request.MaxAttempts = Labyrinth::kMaxAttempts;
  request.AppDir = dir.File("missing");
  const auto failed = shell::GenerateMap(request);
  ASSERT_FALSE(failed.Ok());
  EXPECT_TRUE(Contains(failed.Error(), "Cannot write " + dir.File("missing/quorvel.map") + ": ")) << failed.Error();
}

}  // namespace
