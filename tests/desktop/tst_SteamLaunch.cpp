// "Run Half-Life" through a fake steam and fake game programs: shell scripts
// that write down how they were started.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "TestFiles.h"
#include "shell/SteamLaunch.h"

using namespace testing_support;

namespace fs = std::filesystem;

class SteamLaunchTest : public ::testing::Test {
 protected:
  TempDir Root;
  std::string Bin = Root.File("bin");
  std::string Game = Root.File("library/steamapps/common/Half-Life");
  std::string Log = Root.File("started");
  shell::UserEnvironment Env{Root.Str(), "/nonexistent:" + Bin, "", ""};

  void SetUp() override {
    fs::create_directories(Bin);
    fs::create_directories(Game + "/valve");
  }

  // A program that appends "NAME ARGS | FOLDER" to the log.
  void FakeProgram(const std::string& path) {
    WriteFile(path, "#!/bin/sh\necho \"$(basename \"$0\") $* | $(pwd)\" >> '" + Log + "'\n");
    fs::permissions(path, fs::perms::owner_all);
  }

  // The log once a detached program wrote it.
  std::string Started(const std::string& hlDir) {
    const Result<> result = shell::RunHalfLife(hlDir, Env);
    EXPECT_TRUE(result.Ok()) << result.Error();
    for (int i = 0; i < 500 && ReadFile(Log).empty(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ReadFile(Log);
  }
};

TEST_F(SteamLaunchTest, ASteamGameStartsThroughSteam) {
  FakeProgram(Bin + "/steam");
  FakeProgram(Game + "/hl.sh");
  EXPECT_EQ(Started(Game), "steam -applaunch 70 -console +map quorvel | " + Game + "\n");
}

TEST_F(SteamLaunchTest, WithoutSteamOnPathTheGameStartsByItself) {
  FakeProgram(Game + "/hl_linux");
  EXPECT_EQ(Started(Game), "hl_linux -console +map quorvel | " + Game + "\n");
}

TEST_F(SteamLaunchTest, AGameOutsideSteamIgnoresSteam) {
  const std::string own = Root.File("Half-Life");
  fs::create_directories(own);
  FakeProgram(Bin + "/steam");
  FakeProgram(own + "/hl.sh");
  EXPECT_EQ(Started(own), "hl.sh -console +map quorvel | " + own + "\n");
}

TEST_F(SteamLaunchTest, AFailureNamesEveryWayTried) {
  std::vector<std::string> tried;
  auto refuse = [&tried](const platform::ProcessSpec& spec) -> Result<> {
    tried.push_back(fs::path(spec.Program).filename().string());
    return Failure{"refused"};
  };
  const Result<> noSteam = shell::RunHalfLife(Game, Env, refuse);
  ASSERT_FALSE(noSteam.Ok());
  EXPECT_TRUE(tried.empty());
  EXPECT_TRUE(Contains(noSteam.Error(), "steam: not found on PATH")) << noSteam.Error();
  EXPECT_TRUE(Contains(noSteam.Error(), "hl_linux")) << noSteam.Error();

  FakeProgram(Bin + "/steam");
  FakeProgram(Game + "/hl.sh");
  const Result<> refused = shell::RunHalfLife(Game, Env, refuse);
  ASSERT_FALSE(refused.Ok());
  EXPECT_EQ(tried, (std::vector<std::string>{"steam", "hl.sh"}));
  EXPECT_TRUE(Contains(refused.Error(), "-applaunch 70")) << refused.Error();
}
