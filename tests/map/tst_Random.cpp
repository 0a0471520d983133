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
