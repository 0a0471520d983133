#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "CliTestSupport.h"
#include "map/Random.h"
#include "platform/Platform.h"

TEST(Cli, HelpAndVersionGoToStdoutAndWriteNothing) {
  TempDir dir;
  ChangeDirectory cd(dir.Path);

  const Outcome help = RunCommand({"--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_EQ(help.Out.rfind("Usage: quorvel-cli", 0), 0u);
  EXPECT_EQ(help.Err, "");

  const Outcome version = RunCommand({"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out, "quorvel-cli 1.01\n");

  EXPECT_TRUE(std::filesystem::is_empty(dir.Path));
}

TEST(Cli, UsageErrorsExitWith2AndWriteNothing) {
  TempDir dir;
  ChangeDirectory cd(dir.Path);
  const struct {
    std::vector<std::string> Args;
    std::vector<std::string> Mentions;
  } cases[] = {
      {{"--dimension", "huge"}, {"--dimension", "very-small|small|medium|big|very-big"}},
      {{"--friends=3"}, {"--friends", "0|1|2"}},
      {{"--seed", "4294967296"}, {"--seed", "0 to 4294967295"}},
      {{"--seed=-1"}, {"--seed", "0 to 4294967295"}},
      {{"--seed", "12x"}, {"--seed", "0 to 4294967295"}},
      {{"--seed", "1", "--game-type"}, {"--game-type", "kill-all|find-exit"}},
      {{"--size", "big"}, {"--size"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Args.front());
    const Outcome outcome = RunCommand(c.Args);
    EXPECT_EQ(outcome.Status, 2);
    EXPECT_EQ(outcome.Out, "");
    EXPECT_EQ(outcome.Err.rfind("quorvel-cli: ", 0), 0u) << outcome.Err;
    for (const std::string& mention : c.Mentions) EXPECT_TRUE(Contains(outcome.Err, mention));
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path));
}

TEST(Cli, DefaultOutputIsQuorvelMapInTheCurrentDirectory) {
  TempDir dir;
  ChangeDirectory cd(dir.Path);
  const Outcome outcome = RunCommand({"--seed", "7"});
  ASSERT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, "");

  const std::string map = ReadFile(dir.File("quorvel.map"));
  EXPECT_EQ(map.rfind("{\r\n\"classname\" \"worldspawn\"\r\n", 0), 0u);
  // Only the map: the temporary file it was written through is gone.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path),
                          std::filesystem::directory_iterator()),
            1);
  const std::string where = (std::filesystem::current_path() / "quorvel.map").string();
  EXPECT_TRUE(Contains(outcome.Err, "Output:     " + where + "\n")) << outcome.Err;
}

TEST(Cli, QuietStillPrintsTheSeed) {
  TempDir dir;
  const Outcome outcome = RunCommand({"--seed", "0", "--quiet", "--output", dir.File("q.map")});
  ASSERT_EQ(outcome.Status, 0);
  EXPECT_EQ(outcome.Err, "Seed:       0\n");
}

TEST(Cli, WithoutSeedTheTimeInSecondsIsUsedAndPrinted) {
  TempDir dir;
  const std::uint32_t before = Random::TimeSeed();
  const Outcome outcome = RunCommand({"--quiet", "--output", "-"});
  const std::uint32_t after = Random::TimeSeed();
  ASSERT_EQ(outcome.Status, 0);
  ASSERT_EQ(outcome.Err.rfind("Seed:       ", 0), 0u);
  const std::uint32_t seed = static_cast<std::uint32_t>(std::stoul(outcome.Err.substr(12)));
  EXPECT_GE(seed, before);
  EXPECT_LE(seed, after);
  // The printed seed makes the same level again.
  EXPECT_EQ(RunCommand({"--quiet", "--output", "-", "--seed", std::to_string(seed)}).Out,
            outcome.Out);
}

TEST(Cli, StdoutCarriesTheSameBytesAsTheFile) {
  TempDir dir;
  const std::string path = dir.File("level.map");
  const std::vector<std::string> options{"--seed", "123", "--game-dir", "/games/hl", "--quiet"};

  std::vector<std::string> toFile = options;
  toFile.insert(toFile.end(), {"--output", path});
  ASSERT_EQ(RunCommand(toFile).Status, 0);

  std::vector<std::string> toStdout = options;
  toStdout.insert(toStdout.end(), {"--output", "-"});
  const Outcome outcome = RunCommand(toStdout);
  ASSERT_EQ(outcome.Status, 0);

  const std::string sep(1, platform::PathSeparator());
  EXPECT_EQ(outcome.Out.rfind("{\r\n"
                              "\"classname\" \"worldspawn\"\r\n"
                              "\"wad\" \"/games/hl" + sep + "valve" + sep + "halflife.wad\"\r\n",
                              0),
            0u);
  EXPECT_EQ(outcome.Out, ReadFile(path));
}

TEST(Cli, AnUnwritableFileExitsWith1NamingPathAndReason) {
  TempDir dir;
  const std::string missing = dir.File("no-such-dir");
  const std::string reason = std::strerror(ENOENT);

  const std::string mapPath = missing + "/level.map";
  const Outcome map = RunCommand({"--seed", "1", "--output", mapPath});
  EXPECT_EQ(map.Status, 1);
  EXPECT_TRUE(Contains(map.Err, "'" + mapPath + "'")) << map.Err;
  EXPECT_TRUE(Contains(map.Err, reason)) << map.Err;
  EXPECT_FALSE(Contains(map.Err, "Output:"));

  const std::string gridPath = missing + "/grid.txt";
  const Outcome grid = RunCommand({"--seed", "1", "--output", "-", "--grid", gridPath});
  EXPECT_EQ(grid.Status, 1);
  EXPECT_TRUE(Contains(grid.Err, "'" + gridPath + "'")) << grid.Err;
  EXPECT_TRUE(Contains(grid.Err, reason)) << grid.Err;
}

TEST(Cli, AllAttemptsRejectedExitsWith1AndWritesNothing) {
  TempDir dir;
  ChangeDirectory cd(dir.Path);
  const Outcome outcome = RunCommand({"--seed", "3", "--grid", "grid.txt"}, 0);
  EXPECT_EQ(outcome.Status, 1);
  EXPECT_EQ(outcome.Err, "Seed:       3\nError generating labyrinth: try again\n");
  EXPECT_EQ(outcome.Out, "");
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path));
}
