// The whole command run in-process: its arguments, what it prints, writes and exits with.
#include <gtest/gtest.h>

#include "RunCommand.h"
#include "TestFiles.h"
#include "cli/Cli.h"
#include "cli/Options.h"
#include "map/Random.h"
#include "platform/Platform.h"

using cli::ParseArguments;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// The six options in the constructor's order: dimension, complexity, skill,
// monsters, game type, friends.
std::vector<int> Parsed(const std::vector<std::string>& args) {
  const Result<cli::CliSettings> result = ParseArguments(args);
  if (!result) return {};
  const LabyrinthOptions& o = result->Options;
  return {o.MapDim, o.MapCompl, o.Skill, o.MonstersType, o.GameType, o.Friends};
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.rfind(start, 0) == 0;
}

class Cli : public ::testing::Test {
 protected:
  TempDir Dir;
  ChangeDirectory In{Dir.Path};
};

}  // namespace

TEST_F(Cli, HelpAndVersionGoToStdoutAndWriteNothing) {
  const Outcome help = RunCommand({"--help"});
  EXPECT_TRUE(help.Status == 0 && StartsWith(help.Out, "Usage: quorvel-cli"));
  for (const char* line : {"--dimension D", "very-small|small|medium|big|very-big or 0-4", "default: small"})
    EXPECT_TRUE(Contains(help.Out, line)) << line;
  EXPECT_EQ(help.Err, "");
  EXPECT_EQ(RunCommand({"--version"}).Out, "quorvel-cli 1.01\n");
}

TEST_F(Cli, UsageErrorsNameTheOptionAndWhatItAllowsExitWith2AndWriteNothing) {
  TempDir other;
  const std::string file = other.File("tools.txt");
  WriteFile(file, "");
  const struct {
    std::vector<std::string> Args;
    std::vector<std::string> Mentions;
  } cases[] = {
      {{"--dimension", "huge"},
       {"--dimension", "'huge'", "very-small|small|medium|big|very-big", "0-4"}},
      {{"--game-type", "2"}, {"--game-type", "kill-all|find-exit", "0-1"}},
      {{"--seed", "4294967296"}, {"--seed", "0 to 4294967295"}},
      {{"--seed", "1", "--complexity"}, {"--complexity", "needs a value", "low|normal|high"}},
      {{"--quiet=yes"}, {"--quiet", "takes no value"}},
      {{"--game-dir", "/x\" \"light\" \"9"}, {"--game-dir", "double quote"}},  // the Setup checks try the rest
      {{"--size", "big"}, {"unknown option", "--size", "--help"}},
      {{"level.map"}, {"'level.map'", "--help"}},
      {{"--compile", "--game-dir", "/g"}, {"--compile needs --tools DIR"}},
      {{"--compile", "--tools", file, "--game-dir", "/g"},
       {"bad value for --tools: " + file + " is a file, not a folder"}},
      {{"--run"}, {"--run needs --game-dir DIR"}},
      {{"--compile", "--tools", "/t", "--game-dir", "/g", "--output", "other.map"}, {"a file quorvel.map"}},
      {{"--run", "--game-dir", "/g", "--seed", "3"}, {"--seed has nothing to do: add --compile"}},
      {{"--count", "2"}, {"--count needs --name"}},
      {{"--name", "x", "--output", "x.map"}, {"--output cannot be used with --name"}},
      {{"--name", "a b"}, {"'a b' for --name"}},
      {{"--count", "0", "--name", "p"}, {"'0' for --count", "1 to 1000"}},
      {{"--count", "2", "--name", "p", "--grid", "-"}, {"--grid cannot be used with --count"}},
      {{"--count", "2", "--name", "a234567890123456789012"}, {"PREFIX has at most 21 characters"}},
  };
  for (const auto& c : cases) {
    const Outcome outcome = RunCommand(c.Args);
    EXPECT_EQ(outcome.Status, 2) << c.Args.front();
    EXPECT_EQ(outcome.Out, "");
    EXPECT_TRUE(StartsWith(outcome.Err, "quorvel-cli: ")) << outcome.Err;
    for (const std::string& mention : c.Mentions)
      EXPECT_TRUE(Contains(outcome.Err, mention)) << mention << " missing from " << outcome.Err;
  }
  EXPECT_TRUE(fs::is_empty(Dir.Path));
}

TEST_F(Cli, DefaultOutputIsQuorvelMapInTheCurrentDirectoryWithASummary) {
  const Outcome outcome = RunCommand({"--dimension", "very-big", "--skill", "high", "--monsters",
                                      "aliens", "--seed", "4294967295"});
  ASSERT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, "");
  EXPECT_TRUE(
      StartsWith(ReadFile(Dir.File("quorvel.map")), "{\r\n\"classname\" \"worldspawn\"\r\n"));
  for (const std::string& line : std::vector<std::string>{
           "Seed:          4294967295\nAttempts used: ", "\nGrid:          90 x 65 cells\nBrushes:       ",
           "\nMonsters:      150\nWeapons:       16\nAmmunition:    16\nItems:         14\n"
           "Output:        " +
               (fs::current_path() / "quorvel.map").string() + "\n"})
    EXPECT_TRUE(Contains(outcome.Err, line)) << outcome.Err;
}

TEST_F(Cli, WithoutSeedTheTimeIsUsedAndPrintedEvenWhenQuiet) {
  const std::uint32_t before = Random::TimeSeed();
  const Outcome outcome = RunCommand({"--quiet", "--output", "-"});
  const std::uint32_t after = Random::TimeSeed();
  ASSERT_TRUE(outcome.Status == 0 && StartsWith(outcome.Err, "Seed:          "));
  const auto seed = static_cast<std::uint32_t>(std::stoul(outcome.Err.substr(15)));
  EXPECT_EQ(outcome.Err, "Seed:          " + std::to_string(seed) + "\n");
  EXPECT_TRUE(before <= seed && seed <= after) << seed;
}

TEST_F(Cli, StandardOutputAndFilesCarryTheSameBytes) {
  const std::vector<std::string> options{"--seed", "5", "--game-dir", "/games/hl", "--quiet"};
  auto with = [&options](std::vector<std::string> more) {
    more.insert(more.begin(), options.begin(), options.end());
    return RunCommand(more);
  };
  const Outcome level = with({"--output", "-"});
  const Outcome grid = with({"--output", Dir.File("level.map"), "--grid", "-"});
  ASSERT_EQ(with({"--output", Dir.File("file.map"), "--grid", Dir.File("grid.txt")}).Status, 0);
  const std::string sep(1, platform::kPathSeparator);
  EXPECT_TRUE(Contains(level.Out, "\"wad\" \"/games/hl" + sep + "valve" + sep + "halflife.wad\"\r\n"));
  EXPECT_EQ(level.Out, ReadFile(Dir.File("file.map")));
  EXPECT_EQ(level.Out, ReadFile(Dir.File("level.map")));
  EXPECT_EQ(grid.Out, ReadFile(Dir.File("grid.txt")));
  // The preview: one LF-ended line of 45 cells per row of a Small grid.
  EXPECT_EQ(grid.Out.size(), 46u * 35u);
  EXPECT_EQ(grid.Out.find('\r'), std::string::npos);
}

TEST_F(Cli, AnUnwritableFileExitsWith1NamingPathAndReason) {
  const std::string path = Dir.File("missing/out");
  for (const std::string option : {"--output", "--grid"}) {
    const Outcome outcome = RunCommand({"--seed", "1", "--output", "-", option, path});
    EXPECT_EQ(outcome.Status, 1);
    EXPECT_TRUE(Contains(outcome.Err, "'" + path + "'")) << outcome.Err;
    EXPECT_TRUE(Contains(outcome.Err, kMissingFolderReason)) << outcome.Err;
    EXPECT_FALSE(Contains(outcome.Err, "Output:"));
  }
}

// "Try again" only helps where the seed was the clock's.
TEST_F(Cli, AllAttemptsRejectedExitsWith1AndWritesNothing) {
  // Without --seed the next run has another seed; with one, only another
  // seed or smaller options can help.
  const Outcome timed = RunCommand({"--grid", "grid.txt"}, 0);
  EXPECT_EQ(timed.Status, 1);
  EXPECT_TRUE(Contains(timed.Err, "\nError generating labyrinth: try again\n")) << timed.Err;
  const Outcome fixed = RunCommand({"--seed", "3", "--grid", "grid.txt"}, 0);
  EXPECT_EQ(fixed.Status, 1);
  EXPECT_EQ(fixed.Err + fixed.Out,
            "Seed:          3\nError generating labyrinth: seed 3 gives no usable level with these options; choose another "
            "seed or smaller options\n");
  EXPECT_TRUE(fs::is_empty(Dir.Path));
}

TEST_F(Cli, NamesThatDifferInCaseOnlyAreOneFileOnWindows) {
  const Outcome upper = RunCommand({"--output", "Q.MAP", "--grid", "q.map"});
#ifdef _WIN32
  // Windows takes both names for one file, whether or not it exists yet.
  fs::create_directory("sub");
  const Outcome nested = RunCommand({"--output", "sub\\x.map", "--grid", "SUB\\X.MAP"});
  for (const Outcome& run : {upper, nested}) {
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(Contains(run.Err, "name the same file")) << run.Err;
  }
  EXPECT_EQ(Entries(Dir.Path), std::set<std::string>{"sub"});
#else
  EXPECT_EQ(upper.Status, 0) << upper.Err;
  EXPECT_EQ(Entries(Dir.Path), (std::set<std::string>{"Q.MAP", "q.map"}));
#endif
}

// One rule for names and values: case is ignored (as documented), and "-h"
// and "-q" are the short forms.
TEST(CliOptions, ValuesByNameInAnyCaseOrByNumberOverTheDefaults) {
  EXPECT_EQ(Parsed({}), (std::vector<int>{1, 1, 1, 0, 1, 0}));
  const std::vector<int> expected{4, 2, 2, 3, 0, 2};
  EXPECT_EQ(Parsed({"--dimension=4", "--complexity=2", "--skill=2", "--monsters=3", "--friends=2",
                    "--game-type=0"}),
            expected);
  EXPECT_EQ(Parsed({"--Dimension", "Very-Big", "--complexity=HIGH", "--skill", "high", "--MONSTERS=Aliens",
                    "--friends", "2", "--game-type", "kill-all"}),
            expected);
  EXPECT_EQ(Parsed({"--monsters", "grunts-assassins", "--dimension", "big", "--dimension=0"}),
            (std::vector<int>{0, 1, 1, 2, 1, 0}))
      << "a later repetition wins";
  const Result<cli::CliSettings> mixed = ParseArguments({"-q", "--Game-Dir=/g=h"});
  ASSERT_TRUE(mixed) << mixed.Error();
  EXPECT_TRUE(mixed->Quiet);
  EXPECT_EQ(mixed->GameDir, "/g=h") << "split at the first '='";
  EXPECT_TRUE(ParseArguments({"-h"})->Help);
#ifdef _WIN32
  for (const char* help : {"/?", "-?"}) EXPECT_TRUE(ParseArguments({help})->Help) << help;
#endif
  EXPECT_EQ(ParseArguments({"-x"}).Error(), "unknown option '-x' (see --help)");
}

// Numbers are decimal, with any number of leading zeros everywhere; the seed
// takes the whole unsigned 32-bit range.
TEST(CliOptions, NumbersAreDecimalWithAnyLeadingZeros) {
  EXPECT_FALSE(ParseArguments({})->HasSeed);
  for (std::uint32_t seed : {0u, 7u, 4294967295u}) {
    const Result<cli::CliSettings> result = ParseArguments({"--seed", std::to_string(seed)});
    EXPECT_TRUE(result && result->HasSeed && result->Seed == seed) << seed;
  }
  EXPECT_EQ(ParseArguments({"--SEED=00000000007"})->Seed, 7u);
  EXPECT_EQ(ParseArguments({"--seed", "0000000000004294967295"})->Seed, 4294967295u);
  EXPECT_EQ(Parsed({"--dimension", "004", "--friends", "002"}), (std::vector<int>{4, 1, 1, 0, 1, 2}));
  EXPECT_FALSE(ParseArguments({"--dimension", "005"}));
  for (const char* bad :
       {"4294967296", "99999999999999999999", "-1", "12x", "", " 1", "+1", "0x10", "1e3"})
    EXPECT_FALSE(ParseArguments({std::string("--seed=") + bad})) << bad;
}
