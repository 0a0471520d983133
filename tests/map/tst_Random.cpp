#include <gtest/gtest.h>

#include "map/Random.h"

TEST(Random, FirstDrawsOfSeedOneFollowTheFormula) {
  Random rng(1);
  const int expected[] = {346, 130, 10982, 1090, 11656};
  for (int value : expected) EXPECT_EQ(rng.Next(), value);
}

TEST(Random, DerivedFormsUseTheSameDraw) {
  Random a(12345), b(12345), c(12345), d(12345);
  const int draw = a.Next();
  EXPECT_EQ(b.Below(7), draw % 7);
  EXPECT_DOUBLE_EQ(c.Fraction(), draw / 32768.0);
  EXPECT_DOUBLE_EQ(d.CrateFraction(), draw / 32767.0);
}

TEST(Random, StateWrapsModulo32Bits) {
  Random rng(0xFFFFFFFFu);
  rng.Next();
  EXPECT_EQ(rng.State, 0xFFFFFFFFu * 22695477u + 1u);
  for (int i = 0; i < 100000; ++i) {
    const int v = rng.Next();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32767);
  }
}

TEST(Random, BoundGivesTheRemainderForEveryDrawAndTheLevelsBounds) {
  // Every bound the levels use (edges, spacings, wall lengths), and the largest allowed.
  for (int n : {1, 2, 3, 7, 20, 25, 30, 60, 65, 86, 90, 131071}) {
    const Random::Bound bound(n);
    for (std::uint32_t draw = 0; draw < 32768; ++draw)
      ASSERT_EQ(bound.Of(draw), static_cast<int>(draw % static_cast<std::uint32_t>(n))) << n << " " << draw;
  }
}

TEST(Random, SkipLandsWhereThatManyDrawsWould) {
  for (std::uint32_t n : {0u, 1u, 2u, 3u, 64u, 1000u, 5849u, 65537u}) {
    Random skipped(987654321u), drawn(987654321u);
    skipped.Skip(n);
    for (std::uint32_t i = 0; i < n; ++i) drawn.Next();
    EXPECT_EQ(skipped.State, drawn.State) << n;
  }
}
