#include "map/Random.h"

#include <array>
#include <ctime>

namespace {
// A jump of the state by some number of draws: state * Mul + Add.
struct Jump {
  std::uint32_t Mul, Add;
};
constexpr Jump Then(Jump first, Jump second) {
  return {first.Mul * second.Mul, first.Add * second.Mul + second.Add};
}

// Jumps[k][v] takes the state on by v * 16^k draws, so that a skip takes one
// jump per hex digit of its count, whatever the digit: no branch on the bits.
using JumpTable = std::array<std::array<Jump, 16>, 8>;
constexpr JumpTable MakeJumps() {
  JumpTable jumps{};
  Jump unit{22695477u, 1u};  // one draw, then 16, 256, ...
  for (auto& digit : jumps) {
    digit[0] = {1u, 0u};
    for (size_t v = 1; v < 16; ++v) digit[v] = Then(digit[v - 1], unit);
    unit = Then(digit[15], unit);
  }
  return jumps;
}
constexpr JumpTable Jumps = MakeJumps();
}  // namespace

std::uint32_t Random::TimeSeed() { return static_cast<std::uint32_t>(std::time(nullptr)); }

void Random::Skip(std::uint32_t n) {
  for (size_t k = 0; n != 0; ++k, n >>= 4) {
    const Jump& jump = Jumps[k][n & 15u];
    State = State * jump.Mul + jump.Add;
  }
}
