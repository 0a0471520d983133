#pragma once

#include <cstdint>

// The level's one random source: a 32-bit linear congruential state whose
// bits 16..30 are the draw (0..32767). A seed and the options fix the level,
// so every caller must draw in its documented order.
class Random {
 public:
  explicit Random(std::uint32_t seed) : State(seed) {}

  // The current calendar time in whole seconds, the default seed.
  static std::uint32_t TimeSeed();

  int Next() {
    State = State * 22695477u + 1u;
    return static_cast<int>((State >> 16) & 0x7fffu);
  }
  // A random integer below n (n > 0).
  int Below(int n) { return Next() % n; }
  // A random fraction in [0, 1): draw / 32768, exact.
  double Fraction() { return Next() / 32768.0; }
  // The crates' own form: draw / 32767, in [0, 1].
  double CrateFraction() { return Next() / 32767.0; }

  std::uint32_t State;
};
