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
