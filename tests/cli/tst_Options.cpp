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
