#include <gtest/gtest.h>

#include <set>

#include "FakeTools.h"
#include "platform/Platform.h"
#include "RunCommand.h"
#include "TestFiles.h"

namespace {

namespace ts = testing_support;
using ts::Contains;

class CliCompile : public ::testing::Test {
 protected:
  ts::FakeCompile Fake;
};

// Relative folders name the same places for the tools and the game, which
// start in folders of their own; the level names the game's wad in full.
// The tools' output is passed on; a failed step ends the command with its
// name, and the game is not started.
TEST_F(CliCompile, CompilesWithRelativeFoldersThenStartsTheGameOrNamesTheFailedStep) {
  Fake.Tool("hlcsg", "echo 'csg at work'");
  const std::string started = Fake.Game();
  ts::ChangeDirectory here(Fake.Root.Path);
  const std::vector<std::string> args = {"--compile", "--tools", "tools 100%", "--game-dir", "Half-Life", "--output",
                                         "levels here/quorvel.map", "--quiet", "--run"};
  const Outcome run = RunCommand(args);
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(Contains(run.Err, "csg at work\n") && Contains(run.Err, ".bsp generated")) << run.Err;
  EXPECT_EQ(ts::ReadFile(Fake.MapsDir + "/quorvel.bsp"), "level\n");
  EXPECT_TRUE(Contains(ts::ReadFile(Fake.AppDir + "/quorvel.map"), "\"wad\" \"" + Fake.HLDir + "/valve/halflife.wad"));
  EXPECT_EQ(ts::WaitForLine(started), "-console +map quorvel");
  std::filesystem::remove(started);
  Fake.Tool("hlrad", ts::fake::kFail);
  const Outcome failed = RunCommand(args);
  EXPECT_EQ(failed.Status, 1);
  EXPECT_TRUE(Contains(failed.Err, "hlrad failed with exit status 3")) << failed.Err;
  EXPECT_TRUE(Contains(failed.Err, "quorvel-cli: Compile failed: hlrad\n")) << failed.Err;
  EXPECT_FALSE(std::filesystem::exists(started));
}

// --run alone plays the level compiled before: it makes none, and refuses
// without one.
TEST_F(CliCompile, RunAloneStartsTheCompiledLevelOnly) {
  const std::string started = Fake.Game();
  ts::ChangeDirectory here(Fake.Root.Path);
  const Outcome none = RunCommand({"--run", "--game-dir", Fake.HLDir});
  EXPECT_EQ(none.Status, 1);
  EXPECT_EQ(none.Err, "quorvel-cli: there is no compiled level " + Fake.MapsDir +
                          "/quorvel.bsp to start: make one with --compile\n");
  ts::WriteFile(Fake.MapsDir + "/quorvel.bsp", "compiled before");
  EXPECT_EQ(RunCommand({"--run", "--game-dir", "Half-Life", "--quiet"}).Status, 0);
  EXPECT_EQ(ts::WaitForLine(started), "-console +map quorvel");
  EXPECT_EQ(ts::Entries(Fake.Root.Path), (std::set<std::string>{"Half-Life", "levels here", "tools 100%"}));
}

// In a project folder the folders and the quality come from its settings;
// --name and --count keep levels in its levels folder, which the default
// level's compile leaves, and never replace one.
TEST_F(CliCompile, FollowsTheProjectAndKeepsNamedLevels) {
  ts::ChangeDirectory here(Fake.AppDir);
  ts::WriteFile("quorvel.ini", Fake.ToolDir + "\r\n../Half-Life\r\nquality=full\r\n");
  const std::string levels = Fake.AppDir + "/levels/";
  const Outcome kept = RunCommand({"--name", "keep_me", "--compile", "--quiet", "--seed", "5"});
  EXPECT_EQ(kept.Status, 0) << kept.Err;
  EXPECT_TRUE(Contains(kept.Err, "hlvis' -threads " + std::to_string(platform::CoreCount()) + " -full '")) << kept.Err;
  EXPECT_TRUE(Contains(ts::ReadFile(levels + "keep_me.map"), "\"wad\" \"" + Fake.HLDir + "/valve/halflife.wad"));
  EXPECT_EQ(ts::ReadFile(Fake.MapsDir + "/keep_me.bsp"), "level\n");
  EXPECT_EQ(RunCommand({"--compile", "--quiet", "--quality", "fast"}).Status, 0);
  EXPECT_EQ(ts::Entries(Fake.MapsDir), (std::set<std::string>{"keep_me.bsp", "quorvel.bsp"}));
  const Outcome again = RunCommand({"--name", "keep_me", "--quiet"});
  EXPECT_EQ(again.Status, 1);
  EXPECT_TRUE(Contains(again.Err, "already a kept level keep_me")) << again.Err;

  EXPECT_EQ(RunCommand({"--count", "3", "--name", "pack", "--seed", "100", "--quiet"}).Status, 0);
  for (const char* name : {"pack_100.map", "pack_101.map", "pack_102.map"})
    EXPECT_TRUE(Contains(ts::ReadFile(levels + name), "\"wad\"")) << name;
  const Outcome none = RunCommand({"--count", "2", "--name", "none", "--seed", "7", "--quiet"}, 0);
  EXPECT_EQ(none.Status, 1);
  EXPECT_TRUE(Contains(none.Err, "Seed 7 gives no usable level with these options: skipped\n")) << none.Err;
  EXPECT_TRUE(Contains(none.Err, "0 of 2 levels made; gave up after 20 seeds (7 to 26)\n")) << none.Err;
  EXPECT_EQ(ts::Entries(levels).size(), 8u);  // four levels and their records
}

}  // namespace
