#include <gtest/gtest.h>

#include "map/Random.h"

TEST(Random, FractionsDivideTheSameDrawByTheirOwnDivisor) {
  Random a(12345), b(12345), c(12345);
  const int draw = a.Next();
  EXPECT_EQ(b.Fraction(), draw / 32768.0);
  EXPECT_EQ(c.CrateFraction(), draw / 32767.0);
}

TEST(Random, BoundGivesTheRemainderForEveryDraw) {
  // The levels' bounds (edges, spacings, wall lengths) and the largest allowed.
  for (int n : {1, 2, 3, 7, 20, 25, 30, 60, 65, 86, 90, 131071}) {
    const Random::Bound bound(n);
    for (std::uint32_t draw = 0; draw < 32768; ++draw)
      ASSERT_EQ(bound.Of(draw), static_cast<int>(draw % static_cast<std::uint32_t>(n))) << n;
  }
}

TEST(Random, SkipLandsWhereThatManyDrawsWould) {
  for (std::uint32_t n : {0u, 1u, 2u, 3u, 15u, 16u, 64u, 1000u, 5849u, 65537u, 0xfedcbu}) {
    Random skipped(987654321u), drawn(987654321u);
    skipped.Skip(n);
    for (std::uint32_t i = 0; i < n; ++i) drawn.Next();
    EXPECT_EQ(skipped.State, drawn.State) << n;
  }
  // The state has period 2^32: every hex digit at its largest, then one draw.
  Random whole(2024);
  whole.Skip(0xffffffffu);
  whole.Next();
  EXPECT_EQ(whole.State, 2024u);
}
