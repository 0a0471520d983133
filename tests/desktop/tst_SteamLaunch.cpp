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
  std::string WaitForLog() {
    for (int i = 0; i < 500 && ReadFile(Log).empty(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ReadFile(Log);
  }
};

TEST_F(SteamLaunchTest, ASteamGameStartsThroughSteam) {
  FakeProgram(Bin + "/steam");
  FakeProgram(Game + "/hl.sh");
  ASSERT_TRUE(shell::RunHalfLife(Game, Env).Ok());
  EXPECT_EQ(WaitForLog(), "steam -applaunch 70 -console +map quorvel | " + Game + "\n");
}

TEST_F(SteamLaunchTest, WithoutSteamOnPathTheGameStartsByItself) {
  FakeProgram(Game + "/hl_linux");
  ASSERT_TRUE(shell::RunHalfLife(Game, Env).Ok());
  EXPECT_EQ(WaitForLog(), "hl_linux -console +map quorvel | " + Game + "\n");
}

TEST_F(SteamLaunchTest, AGameOutsideSteamIgnoresSteam) {
  const std::string own = Root.File("Half-Life");
  fs::create_directories(own);
  FakeProgram(Bin + "/steam");
  FakeProgram(own + "/hl.sh");
  EXPECT_FALSE(shell::SteamGameStart(own, Env));
  ASSERT_TRUE(shell::RunHalfLife(own, Env).Ok());
  EXPECT_EQ(WaitForLog(), "hl.sh -console +map quorvel | " + own + "\n");
}

TEST_F(SteamLaunchTest, WhenSteamFailsTheGameIsTriedAndAFailureNamesBoth) {
  FakeProgram(Bin + "/steam");
  std::vector<std::string> tried;
  auto failing = [&tried](const platform::ProcessSpec& spec) -> Result<> {
    tried.push_back(fs::path(spec.Program).filename().string());
    return Failure{"refused"};
  };
  const Result<> result = shell::RunHalfLife(Game, Env, failing);
  ASSERT_FALSE(result.Ok());
  EXPECT_EQ(tried, (std::vector<std::string>{"steam"}));  // no hl.sh or hl_linux to try
  EXPECT_TRUE(Contains(result.Error(), "-applaunch 70")) << result.Error();
  EXPECT_TRUE(Contains(result.Error(), "hl_linux")) << result.Error();

  FakeProgram(Game + "/hl.sh");
  tried.clear();
  EXPECT_FALSE(shell::RunHalfLife(Game, Env, failing).Ok());
  EXPECT_EQ(tried, (std::vector<std::string>{"steam", "hl.sh"}));
}

TEST_F(SteamLaunchTest, AMissingSteamIsNamedWhenNothingStarts) {
  const Result<> result = shell::RunHalfLife(Game, Env, [](const platform::ProcessSpec&) -> Result<> { return {}; });
  ASSERT_FALSE(result.Ok());
  EXPECT_TRUE(Contains(result.Error(), "steam: not found on PATH")) << result.Error();
  EXPECT_TRUE(Contains(result.Error(), Game)) << result.Error();
}
