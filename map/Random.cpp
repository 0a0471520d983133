#include "map/Random.h"

#include <array>
#include <ctime>

namespace {
// Jumps[k] takes the state on by 2^k draws: state * Mul + Add.
struct Jump {
  std::uint32_t Mul, Add;
};
constexpr std::array<Jump, 32> MakeJumps() {
  std::array<Jump, 32> jumps{};
  std::uint32_t mul = 22695477u, add = 1u;
  for (Jump& jump : jumps) {
    jump = {mul, add};
    add = add * mul + add;  // the step applied twice
    mul = mul * mul;
  }
  return jumps;
}
constexpr std::array<Jump, 32> Jumps = MakeJumps();
}  // namespace

std::uint32_t Random::TimeSeed() { return static_cast<std::uint32_t>(std::time(nullptr)); }

void Random::Skip(std::uint32_t n) {
  for (int k = 0; n != 0; ++k, n >>= 1)
    if (n & 1u) State = State * Jumps[static_cast<size_t>(k)].Mul + Jumps[static_cast<size_t>(k)].Add;
}
