// "Run Half-Life" through a fake steam and fake game programs: shell scripts
// that write down how they were started.

#include <gtest/gtest.h>

#include <filesystem>

#include "FakeTools.h"
#include "shell/SteamLaunch.h"

using namespace testing_support;

namespace fs = std::filesystem;

class SteamLaunchTest : public ::testing::Test {
 protected:
  TempDir Root;
  std::string Bin = Root.File("bin");
  std::string Game = Root.File("library/steamapps/common/Half-Life");
  std::string Own = Root.File("Half-Life");  // outside any Steam library
  std::string Log = Root.File("started");
  shell::UserEnvironment Env{Root.Str(), "/nonexistent:" + Bin, "", ""};
  void SetUp() override { for (const std::string& dir : {Bin, Game + "/valve", Own}) fs::create_directories(dir); }

  // The default level in a game folder.
  static shell::LevelTarget Level(const std::string& gameDir) { return {"quorvel", "", "", gameDir}; }
  // A program that appends "NAME ARGS | FOLDER" to the log.
  void FakeProgram(const std::string& path) { WriteScript(path, "echo \"$(basename \"$0\") $* | $(pwd)\" >> '" + Log + "'"); }
};

TEST_F(SteamLaunchTest, TheGameStartsOnTheLevelThroughSteamWhenItCan) {
  const struct {
    std::string HLDir;
    std::vector<std::string> Programs;
    std::string Started;
  } cases[] = {
      {Game, {Bin + "/steam", Game + "/hl.sh"}, "steam -applaunch 70 -console +map quorvel | " + Game},
      {Game, {Game + "/hl_linux"}, "hl_linux -console +map quorvel | " + Game},  // no steam on PATH
      {Own, {Bin + "/steam", Own + "/hl_linux", Own + "/hl.sh"}, "hl.sh -console +map quorvel | " + Own},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Started);
    for (const std::string& program : c.Programs) FakeProgram(program);
    const Result<> result = shell::RunHalfLife(Level(c.HLDir), Env);
    EXPECT_TRUE(result.Ok()) << result.Error();
    EXPECT_EQ(WaitForLine(Log), c.Started);
    for (const std::string& program : c.Programs) fs::remove(program);
    fs::remove(Log);
  }
  // A relative PATH entry names a folder from here, not from the game's.
  ChangeDirectory here(Root.Path);
  FakeProgram(Bin + "/steam");
  const Result<> relative = shell::RunHalfLife(Level(Game), {Root.Str(), "bin", "", ""});
  EXPECT_TRUE(relative.Ok()) << relative.Error();
  EXPECT_EQ(WaitForLine(Log), "steam -applaunch 70 -console +map quorvel | " + Game);
}

TEST_F(SteamLaunchTest, AFailureSaysWhatIsMissingAndNamesEveryWayTried) {
  EXPECT_TRUE(Contains(shell::RunHalfLife(Level(""), Env).Error(), "choose it in Setup"));
  EXPECT_TRUE(Contains(shell::RunHalfLife(Level(Own), Env).Error(), "no hl.sh or hl_linux in the game main folder " + Own));
  WriteFile(Own + "/hl_linux", "");
  EXPECT_TRUE(Contains(shell::RunHalfLife(Level(Own), Env).Error(), "hl_linux in " + Own + " is not executable"));
  std::vector<std::string> tried;
  auto refuse = [&tried](const platform::ProcessSpec& spec) -> Result<> {
    tried.push_back(fs::path(spec.Program).filename().string());
    return Failure{"refused"};
  };
  const Result<> noSteam = shell::RunHalfLife(Level(Game), Env, refuse);
  ASSERT_FALSE(noSteam.Ok());
  EXPECT_TRUE(tried.empty());
  EXPECT_TRUE(Contains(noSteam.Error(), "steam: not found on PATH")) << noSteam.Error();
  EXPECT_TRUE(Contains(noSteam.Error(), "hl_linux")) << noSteam.Error();
  FakeProgram(Bin + "/steam");
  FakeProgram(Game + "/hl.sh");
  const Result<> refused = shell::RunHalfLife(Level(Game), Env, refuse);
  ASSERT_FALSE(refused.Ok());
  EXPECT_EQ(tried, (std::vector<std::string>{"steam", "hl.sh"}));
  EXPECT_TRUE(Contains(refused.Error(), "-applaunch 70")) << refused.Error();
}
