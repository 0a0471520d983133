// Real levels compiled with the real compilers (ZHLT and SDHLT for Linux),
// when QUORVEL_REAL_TOOLS names them.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <map>
#include <set>

#include "RealTools.h"
#include "RunCommand.h"
#include "platform/Platform.h"
#include "shell/CompileSession.h"

namespace fs = std::filesystem;
using namespace testing_support;

namespace {

// The tools of one set (its folder under linux/) copied into Tools, a game
// folder with the textures the levels use, and a level folder holding files
// of the user's.
class RealCompile : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    QUORVEL_NEEDS_REAL_TOOLS();
    CopyRealTools("linux/" + GetParam(), Tools, [](const std::string&) { return std::string(); });
    WriteTestWad(Game / "valve" / "halflife.wad");
    fs::create_directories(Maps);
    fs::create_directories(App);
    WriteFile(App / "quorvel.txt", "the user's notes");
  }

  std::vector<std::string> Arguments(const char* dimension) const {
    return {"--seed", "13", "--dimension", dimension, "--game-dir", Game.string(), "--tools", Tools.string(), "--quiet"};
  }

  TempDir Root;
  fs::path Tools = Root.Path / "tools", Game = Root.Path / "Half-Life", App = Root.Path / "levels";
  fs::path Maps = Game / "valve" / "maps";
  ChangeDirectory In{Root.Path};
};

// A playable level: BSP version 30 (GoldSrc's), lit (RAD ran).
bool IsGoldSrcLevel(const fs::path& path) {
  const std::string bsp = ReadFile(path);
  return bsp.size() > 1000 && bsp.compare(0, 4, std::string("\x1e\0\0\0", 4)) == 0;
}

TEST_P(RealCompile, LevelsReachTheGameAndOnlyTheToolsFilesGo) {
  ChangeDirectory here(App);
  for (const char* dimension : {"small", "medium"}) {
    SCOPED_TRACE(dimension);
    fs::remove(Maps / "quorvel.bsp");
    std::vector<std::string> args = Arguments(dimension);
    args.insert(args.end(), {"--compile", "--preview", "quorvel.svg"});
    const Outcome run = RunCommand(args);
    ASSERT_EQ(run.Status, 0) << run.Err.substr(run.Err.size() > 3000 ? run.Err.size() - 3000 : 0);
    EXPECT_TRUE(IsGoldSrcLevel(Maps / "quorvel.bsp"));
    EXPECT_EQ(Entries(App), (std::set<std::string>{"quorvel.log", "quorvel.map", "quorvel.svg", "quorvel.txt"}));
  }
}

// One outer wall less: the bsp tool finds the hole, and nothing reaches the
// game.
TEST_P(RealCompile, ALevelWithAWallMissingLeaks) {
  const std::string map = (App / "quorvel.map").string();
  std::vector<std::string> args = Arguments("small");
  args.insert(args.end(), {"--output", map});
  ASSERT_EQ(RunCommand(args).Status, 0);
  WriteFile(map, WithoutBrush(ReadFile(map), 2));  // the south wall
  std::promise<shell::CompileOutcome> finished;
  shell::CompileSession session([](std::function<void()> call) { call(); },
                                {nullptr, nullptr, nullptr,
                                 [&finished](const shell::CompileOutcome& outcome) { finished.set_value(outcome); }});
  ASSERT_TRUE(session.Start(shell::LevelTarget{"quorvel", App.string(), Tools.string(), Game.string()}));
  const shell::CompileOutcome outcome = finished.get_future().get();
  EXPECT_EQ(outcome.StatusText, "Compile failed: the level leaks") << outcome.ErrorText;
  EXPECT_EQ(outcome.FailedStep, GetParam() == "zhlt" ? "hlbsp" : "sdHLBSP");
  EXPECT_FALSE(fs::exists(Maps / "quorvel.bsp"));
  EXPECT_GT(fs::file_size(App / "quorvel.lin"), 0u);
}

// With SDHLT only: ZHLT takes about a minute for a Very Big level.
using RealKeep = RealCompile;

// The processor time the tools took so far (they are this process's
// children): unlike the time on the clock, it does not grow when other
// tests run beside them.
double ToolSeconds() {
  rusage use{};
  getrusage(RUSAGE_CHILDREN, &use);
  return static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
         static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

// Named levels (one, then a pack of three) compiled with the project
// folder's settings stay in the game beside the default one. RAD takes most
// of a compile and Fast lights without bounces: a Very Big level compiles in
// at most 0.65 of Normal's time (about 0.4 measured on two cores, on the
// clock and in processor time), with the documented argument.
TEST_P(RealKeep, KeptLevelsStayAndFastTakesLittleMoreThanHalfTheTime) {
  ChangeDirectory here(App);
  WriteFile(App / "quorvel.ini", Tools.string() + "\r\n" + Game.string() + "\r\n");
  std::map<std::string, double> seconds, processor;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--name", "keep_me", "--dimension", "very-small"},
           {"--count", "3", "--name", "pack", "--seed", "100", "--dimension", "very-small"},
           {"--quality", "fast", "--dimension", "very-big", "--seed", "13"},
           {"--quality", "normal", "--dimension", "very-big", "--seed", "13"}}) {
    std::vector<std::string> all = args;
    all.insert(all.end(), {"--compile", "--quiet"});
    const auto start = std::chrono::steady_clock::now();
    const double used = ToolSeconds();
    const Outcome run = RunCommand(all);
    seconds[args[1]] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    processor[args[1]] = ToolSeconds() - used;
    ASSERT_EQ(run.Status, 0) << run.Err.substr(run.Err.size() > 3000 ? run.Err.size() - 3000 : 0);
    const bool fast = args[1] == "fast";
    EXPECT_EQ(Contains(run.Err, "sdHLRAD -threads " + std::to_string(platform::CoreCount()) + " -fast "), fast);
  }
  for (const char* name : {"keep_me", "pack_100", "pack_101", "pack_102", "quorvel"})
    EXPECT_TRUE(IsGoldSrcLevel(Maps / (std::string(name) + ".bsp"))) << name;
  EXPECT_LE(processor["fast"], 0.65 * processor["normal"])
      << "fast " << seconds["fast"] << " s (" << processor["fast"] << " s processor), normal " << seconds["normal"]
      << " s (" << processor["normal"] << " s processor)";
  std::printf("Very Big, SDHLT: fast %.1f s (%.1f s processor), normal %.1f s (%.1f s processor)\n", seconds["fast"],
              processor["fast"], seconds["normal"], processor["normal"]);
}

INSTANTIATE_TEST_SUITE_P(Sdhlt, RealKeep, ::testing::Values("sdhlt"));

INSTANTIATE_TEST_SUITE_P(Sets, RealCompile, ::testing::Values("zhlt", "sdhlt"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
