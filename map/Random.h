#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The level's one random source: a 32-bit linear congruential state whose
// bits 16..30 are the draw (0..32767). A seed and the options fix the level,
// so every caller must draw in its documented order.
class Random {
 public:
  // A fixed bound n for Below with its division done once: Below(bound)
  // gives the same value as Below(n) by a multiplication, which is exact for
  // 15-bit draws and n below 2^17. For the loops that draw thousands of times.
  class Bound {
   public:
    explicit Bound(int n)
        : N(static_cast<std::uint32_t>(n)), M(0xffffffffull / static_cast<std::uint32_t>(n) + 1) {}
    int Of(std::uint32_t draw) const {
      const auto q = static_cast<std::uint32_t>((draw * M) >> 32);
      return static_cast<int>(draw - q * N);
    }

   private:
    std::uint32_t N;
    std::uint64_t M;
  };

  explicit Random(std::uint32_t seed) : State(seed) {}

  // The current calendar time in whole seconds, the default seed.
  static std::uint32_t TimeSeed();

  int Next() {
    State = State * 22695477u + 1u;
    return static_cast<int>((State >> 16) & 0x7fffu);
  }
  // A random integer below n (n > 0).
  int Below(int n) { return Next() % n; }
  int Below(const Bound& n) { return n.Of(static_cast<std::uint32_t>(Next())); }
  // A random fraction in [0, 1): draw / 32768, exact.
  double Fraction() { return Next() / 32768.0; }
  // The crates' own form: draw / 32767, in [0, 1].
  double CrateFraction() { return Next() / 32767.0; }

  // Moves the state on by n draws without making them, in one step per hex
  // digit of n: for work whose draws are only needed later, or not at all.
  void Skip(std::uint32_t n) {
    for (std::size_t k = 0; n != 0; ++k, n >>= 4) {
      const Jump& jump = SkipJumps[k][n & 15u];
      State = State * jump.Mul + jump.Add;
    }
  }

  std::uint32_t State;

  // A jump of the state by some number of draws: state * Mul + Add.
  struct Jump {
    std::uint32_t Mul, Add;
  };
  // SkipJumps[k][v] takes the state on by v * 16^k draws, so that a skip
  // takes one jump per digit whatever the digit: no branch on its bits.
  using JumpTable = std::array<std::array<Jump, 16>, 8>;
  static const JumpTable SkipJumps;
};
