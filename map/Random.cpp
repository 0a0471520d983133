#include "map/Random.h"

#include <ctime>

std::uint32_t Random::TimeSeed() { return static_cast<std::uint32_t>(std::time(nullptr)); }
