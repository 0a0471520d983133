// Levels pinned to their seeds: any change in what is drawn, or in which
// order, changes these lengths and hashes.
#include <gtest/gtest.h>

#include <sstream>

#include "labyrinth/Labyrinth.h"

namespace {
std::uint64_t Fnv1a64(const std::string& text, std::uint64_t hash = 14695981039346656037ull) {
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// The level as written with a fixed game directory.
std::string LevelText(Labyrinth& lab) {
  lab.GameDir = "C:\\Half-Life";
  lab.WadSeparator = '\\';
  std::ostringstream level;
  lab.Write(level);
  return level.str();
}
}  // namespace

TEST(Golden, LevelsAreFixedByTheirSeedAndOptions) {
  const struct {
    LabyrinthOptions Options;  // dimension, complexity, skill, monsters, game type, friends
    std::uint32_t Seed;
    int Attempt;  // 0: all rejected
    size_t LevelLength;
    std::uint64_t LevelHash;
    size_t GridLength;
    std::uint64_t GridHash;
  } cases[] = {
      {{0, 0, 0, 0, 1, 0}, 1, 1, 47974, 0xd2c2f8fb27ef6a75ull, 775, 0x64e6c25fcc749bd5ull},
      {{1, 1, 1, 1, 0, 1}, 77, 1, 138102, 0xd12181f93ee4b5dcull, 1610, 0x8d1749228668e584ull},
      {{2, 2, 2, 2, 1, 2}, 123456, 14, 254154, 0x4ea5341bde8aba68ull, 2745, 0x931a98a45aba86b2ull},
      {{3, 1, 2, 3, 0, 2}, 4294967295u, 7, 359086, 0x6c98c66a511470e1ull, 4180, 0x1725207056404de1ull},
      {{4, 0, 1, 0, 0, 1}, 1733550000, 11, 329399, 0xbcd5b57dcd9183d2ull, 5915, 0x397078ededd857ceull},
      // The file is the empty level; there is no preview.
      {{4, 2, 0, 0, 1, 0}, 2, 0, 73, 0xbf7e39c86376affbull, 0, 0xcbf29ce484222325ull},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "seed " << c.Seed);
    Labyrinth lab(c.Options, c.Seed);
    EXPECT_EQ(lab.GenerateLevel(), c.Attempt);
    const std::string level = LevelText(lab);
    EXPECT_EQ(level.size(), c.LevelLength);
    EXPECT_EQ(Fnv1a64(level), c.LevelHash);
    EXPECT_EQ(lab.LayoutPreview().size(), c.GridLength);
    EXPECT_EQ(Fnv1a64(lab.LayoutPreview()), c.GridHash);
  }
}

// Every dimension, skill and monsters type, so every monster count, three
// times over: enough draws that a small shift of any probability shows.
TEST(Golden, ManyLevelsTogether) {
  std::uint64_t hash = Fnv1a64("");
  for (int i = 0; i < 180; ++i) {
    const int k = i % 60;
    Labyrinth lab({k / 12, i % 3, k / 4 % 3, k % 4, i % 2, i / 2 % 3},
                  static_cast<std::uint32_t>(i));
    lab.GenerateLevel();
    hash = Fnv1a64(lab.LayoutPreview(), Fnv1a64(LevelText(lab), hash));
  }
  EXPECT_EQ(hash, 0x7db6fffba0e41de0ull);
}
