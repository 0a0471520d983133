#include <gtest/gtest.h>

#include "cli/Options.h"

using cli::ParseArguments;

namespace {
// The six options in the constructor's order: dimension, complexity, skill,
// monsters, game type, friends.
std::vector<int> Parsed(const std::vector<std::string>& args) {
  const Result<cli::CliSettings> result = ParseArguments(args);
  if (!result) return {};
  const LabyrinthOptions& o = result->Options;
  return {o.MapDim, o.MapCompl, o.Skill, o.MonstersType, o.GameType, o.Friends};
}
}  // namespace

TEST(CliOptions, ValuesByNameInAnyCaseOrByNumberOverTheDefaults) {
  EXPECT_EQ(Parsed({}), (std::vector<int>{1, 1, 1, 0, 1, 0}));
  const std::vector<int> expected{4, 2, 2, 3, 0, 2};
  EXPECT_EQ(Parsed({"--dimension", "very-big", "--complexity", "high", "--skill", "high",
                    "--monsters", "aliens", "--friends", "2", "--game-type", "kill-all"}),
            expected);
  EXPECT_EQ(Parsed({"--dimension=4", "--complexity=2", "--skill=2", "--monsters=3", "--friends=2",
                    "--game-type=0"}),
            expected);
  EXPECT_EQ(Parsed({"--dimension", "Very-Big", "--complexity=HIGH", "--skill", "2",
                    "--monsters=Aliens", "--friends", "2", "--game-type", "Kill-All"}),
            expected);
  EXPECT_EQ(Parsed({"--monsters", "grunts-assassins", "--dimension", "big", "--dimension=0"}),
            (std::vector<int>{0, 1, 1, 2, 1, 0}))
      << "a later repetition wins";
  EXPECT_EQ(ParseArguments({"--output=a=b.map"})->Output, "a=b.map") << "split at the first '='";
}

TEST(CliOptions, SeedTakesTheWholeUnsigned32BitRangeInDecimalOnly) {
  EXPECT_FALSE(ParseArguments({})->HasSeed);
  for (std::uint32_t seed : {0u, 7u, 4294967295u}) {
    const Result<cli::CliSettings> result = ParseArguments({"--seed", std::to_string(seed)});
    EXPECT_TRUE(result && result->HasSeed && result->Seed == seed) << seed;
  }
  for (const char* bad :
       {"4294967296", "99999999999999999999", "-1", "12x", "", " 1", "+1", "0x10", "1e3"})
    EXPECT_FALSE(ParseArguments({std::string("--seed=") + bad})) << bad;
}

TEST(CliOptions, OneRuleForNamesNumbersAndShortForms) {
  // Names ignore case as values do; numbers take leading zeros, any number of them.
  const Result<cli::CliSettings> mixed =
      ParseArguments({"--Dimension", "big", "--SEED=00000000007", "--friends", "002", "-q", "--Game-Dir=/g"});
  ASSERT_TRUE(mixed) << mixed.Error();
  EXPECT_EQ(mixed->Options.MapDim, 3);
  EXPECT_EQ(mixed->Seed, 7u);
  EXPECT_EQ(mixed->Options.Friends, 2);
  EXPECT_TRUE(mixed->Quiet);
  EXPECT_EQ(mixed->GameDir, "/g");
  EXPECT_EQ(Parsed({"--dimension", "004"}), (std::vector<int>{4, 1, 1, 0, 1, 0}));
  EXPECT_EQ(ParseArguments({"--seed", "0000000000004294967295"})->Seed, 4294967295u);
  EXPECT_FALSE(ParseArguments({"--dimension", "005"}));
  EXPECT_TRUE(ParseArguments({"-h"})->Help);
#ifdef _WIN32
  for (const char* help : {"/?", "-?"}) EXPECT_TRUE(ParseArguments({help})->Help) << help;
#endif
  const Result<cli::CliSettings> unknown = ParseArguments({"-x"});
  EXPECT_EQ(unknown.Error(), "unknown option '-x' (see --help)");
}
