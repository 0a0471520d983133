#include <gtest/gtest.h>

#include "cli/Options.h"

using cli::ParseArguments;
using ParseResult = Result<cli::CliSettings>;

namespace {

// The six options in the constructor's order: dimension, complexity, skill,
// monsters, game type, friends.
std::vector<int> ConstructorOrder(const LabyrinthOptions& o) {
  return {o.MapDim, o.MapCompl, o.Skill, o.MonstersType, o.GameType, o.Friends};
}

LabyrinthOptions ParsedOptions(const std::vector<std::string>& args) {
  const ParseResult result = ParseArguments(args);
  EXPECT_TRUE(result.Ok()) << result.Error();
  return result->Options;
}

}  // namespace

TEST(CliOptions, DefaultsAreTheWindowsSelections) {
  const ParseResult result = ParseArguments({});
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(ConstructorOrder(result->Options), (std::vector<int>{1, 1, 1, 0, 1, 0}));
  EXPECT_FALSE(result->HasSeed);
  EXPECT_EQ(result->GameDir, "");
  EXPECT_EQ(result->Output, "");
  EXPECT_EQ(result->Grid, "");
  EXPECT_FALSE(result->Quiet);
}

TEST(CliOptions, ValuesByNameAndByNumberAgree) {
  // Very Big, High, High, Aliens only, 2 friends, Kill all.
  const std::vector<int> expected{4, 2, 2, 3, 0, 2};
  EXPECT_EQ(ConstructorOrder(ParsedOptions({"--dimension", "very-big", "--complexity", "high",
                                            "--skill", "high", "--monsters", "aliens", "--friends",
                                            "2", "--game-type", "kill-all"})),
            expected);
  EXPECT_EQ(ConstructorOrder(ParsedOptions({"--dimension=4", "--complexity=2", "--skill=2",
                                            "--monsters=3", "--friends=2", "--game-type=0"})),
            expected);
  EXPECT_EQ(ConstructorOrder(
                ParsedOptions({"--dimension", "Very-Big", "--complexity=HIGH", "--skill", "2",
                               "--monsters=Aliens", "--friends", "2", "--game-type", "Kill-All"})),
            expected);
}

TEST(CliOptions, EveryNameMapsToItsIndex) {
  const struct {
    const char* Option;
    std::vector<const char*> Names;
    int LabyrinthOptions::*Field;
  } groups[] = {
      {"--dimension",
       {"very-small", "small", "medium", "big", "very-big"},
       &LabyrinthOptions::MapDim},
      {"--complexity", {"low", "normal", "high"}, &LabyrinthOptions::MapCompl},
      {"--skill", {"low", "normal", "high"}, &LabyrinthOptions::Skill},
      {"--monsters",
       {"all", "grunts", "grunts-assassins", "aliens"},
       &LabyrinthOptions::MonstersType},
      {"--friends", {"0", "1", "2"}, &LabyrinthOptions::Friends},
      {"--game-type", {"kill-all", "find-exit"}, &LabyrinthOptions::GameType},
  };
  for (const auto& group : groups) {
    for (size_t i = 0; i < group.Names.size(); ++i) {
      SCOPED_TRACE(std::string(group.Option) + " " + group.Names[i]);
      EXPECT_EQ(ParsedOptions({group.Option, group.Names[i]}).*(group.Field), static_cast<int>(i));
      EXPECT_EQ(ParsedOptions({group.Option, std::to_string(i)}).*(group.Field),
                static_cast<int>(i));
    }
    SCOPED_TRACE(group.Option);
    EXPECT_FALSE(ParseArguments({group.Option, std::to_string(group.Names.size())}).Ok());
  }
}

TEST(CliOptions, SeedTakesTheWholeUnsigned32BitRangeInDecimalOnly) {
  for (const auto& [text, value] : std::vector<std::pair<std::string, std::uint32_t>>{
           {"0", 0u}, {"7", 7u}, {"4294967295", 4294967295u}}) {
    SCOPED_TRACE(text);
    const ParseResult result = ParseArguments({"--seed", text});
    ASSERT_TRUE(result.Ok()) << result.Error();
    EXPECT_TRUE(result->HasSeed);
    EXPECT_EQ(result->Seed, value);
  }
  for (const char* bad : {"4294967296", "9999999999", "99999999999999999999", "-1", "12x", "x12",
                          "", " 1", "1 ", "+1", "0x10", "1e3", "1.0"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseArguments({std::string("--seed=") + bad}).Ok());
  }
}

TEST(CliOptions, TextOptionsAndFlags) {
  const ParseResult result =
      ParseArguments({"--game-dir", "/games/hl", "--output=-", "--grid", "g.txt", "--quiet"});
  ASSERT_TRUE(result.Ok()) << result.Error();
  EXPECT_EQ(result->GameDir, "/games/hl");
  EXPECT_EQ(result->Output, "-");
  EXPECT_EQ(result->Grid, "g.txt");
  EXPECT_TRUE(result->Quiet);
  EXPECT_TRUE(ParseArguments({"--help"})->Help);
  EXPECT_TRUE(ParseArguments({"--version"})->Version);
  // "=" splits at the first one only.
  EXPECT_EQ(ParseArguments({"--output=a=b.map"})->Output, "a=b.map");
}

TEST(CliOptions, ALaterRepetitionWins) {
  const ParseResult result =
      ParseArguments({"--dimension", "big", "--dimension=0", "--seed", "5", "--seed", "6"});
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(result->Options.MapDim, 0);
  EXPECT_EQ(result->Seed, 6u);
}

TEST(CliOptions, ErrorsNameTheOptionAndWhatItAllows) {
  const struct {
    std::vector<std::string> Args;
    std::vector<std::string> Mentions;
  } cases[] = {
      {{"--dimension", "huge"},
       {"--dimension", "'huge'", "very-small|small|medium|big|very-big", "0-4"}},
      {{"--complexity=3"}, {"--complexity", "'3'", "low|normal|high", "0-2"}},
      {{"--skill", "-1"}, {"--skill", "'-1'", "low|normal|high", "0-2"}},
      {{"--monsters", "zombies"}, {"--monsters", "all|grunts|grunts-assassins|aliens", "0-3"}},
      {{"--friends", "none"}, {"--friends", "0|1|2"}},
      {{"--game-type", "2"}, {"--game-type", "kill-all|find-exit", "0-1"}},
      {{"--seed", "12x"}, {"--seed", "'12x'", "0 to 4294967295"}},
      {{"--dimension"}, {"--dimension", "needs a value", "very-small|small"}},
      {{"--seed", "--quiet"}, {"--seed", "needs a value", "0 to 4294967295"}},
      {{"--output"}, {"--output", "needs a value"}},
      {{"--grid="}, {"--grid", "needs a value"}},
      {{"--quiet=yes"}, {"--quiet", "takes no value"}},
      {{"--colour", "red"}, {"unknown option", "--colour", "--help"}},
      {{"-q"}, {"'-q'", "--help"}},
      {{"level.map"}, {"'level.map'", "--help"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Args.front());
    const ParseResult result = ParseArguments(c.Args);
    ASSERT_FALSE(result.Ok());
    for (const std::string& mention : c.Mentions)
      EXPECT_NE(result.Error().find(mention), std::string::npos)
          << "'" << mention << "' missing from: " << result.Error();
  }
}

TEST(CliOptions, HelpListsEveryOptionWithItsValuesAndDefault) {
  const std::string help = cli::UsageText();
  for (const char* line : {"--dimension D",
                           "very-small|small|medium|big|very-big or 0-4",
                           "default: small",
                           "--complexity C",
                           "--skill S",
                           "low|normal|high or 0-2",
                           "default: normal",
                           "--monsters M",
                           "all|grunts|grunts-assassins|aliens or 0-3",
                           "default: all",
                           "--friends F",
                           "0|1|2",
                           "default: 0",
                           "--game-type G",
                           "kill-all|find-exit or 0-1",
                           "default: find-exit",
                           "--seed N",
                           "0 to 4294967295",
                           "--game-dir DIR",
                           "--output FILE",
                           "default: quorvel.map in the current directory",
                           "--grid FILE",
                           "--quiet",
                           "--help",
                           "--version"}) {
    EXPECT_NE(help.find(line), std::string::npos) << line;
  }
}
