#include <gtest/gtest.h>

#include "FakeTools.h"
#include "shell/GameLaunch.h"

using namespace testing_support;

namespace {

TEST(GameLaunch, StartsTheGameOnTheLevelInItsFolder) {
  TempDir game;
  WriteScript(game.File("hl_linux"), "echo hl_linux >> ran");
  WriteScript(game.File("hl.sh"), "echo \"hl.sh $* in $(pwd)\" >> ran");
  ASSERT_TRUE(shell::LaunchGame(game.Str()).Ok());
  EXPECT_EQ(WaitForLine(game.File("ran")), "hl.sh -console +map quorvel in " + game.Str());
}

TEST(GameLaunch, SaysWhatIsMissing) {
  TempDir game;
  EXPECT_TRUE(Contains(shell::LaunchGame(game.Str()).Error(), "no hl.sh or hl_linux in the game main folder " + game.Str()));
  WriteFile(game.File("hl_linux"), "");
  EXPECT_TRUE(Contains(shell::LaunchGame(game.Str()).Error(), "hl_linux in " + game.Str() + " is not executable"));
  EXPECT_TRUE(Contains(shell::LaunchGame("").Error(), "choose it in Setup"));
}

}  // namespace
