#include "map/Random.h"

#include <ctime>

namespace {
constexpr Random::Jump Then(Random::Jump first, Random::Jump second) {
  return {first.Mul * second.Mul, first.Add * second.Mul + second.Add};
}

constexpr Random::JumpTable MakeJumps() {
  Random::JumpTable jumps{};
  Random::Jump unit{22695477u, 1u};  // one draw, then 16, 256, ...
  for (auto& digit : jumps) {
    digit[0] = {1u, 0u};
    for (size_t v = 1; v < 16; ++v) digit[v] = Then(digit[v - 1], unit);
    unit = Then(digit[15], unit);
  }
  return jumps;
}
}  // namespace

constexpr Random::JumpTable Random::SkipJumps = MakeJumps();

std::uint32_t Random::TimeSeed() { return static_cast<std::uint32_t>(std::time(nullptr)); }
