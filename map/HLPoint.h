#pragma once

#include <cstdint>

// A point of the level in map units: X east, Y north, Z up.
struct HLPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t Z = 0;
};
