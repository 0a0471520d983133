// Placeholder until the generator lands: accepts every attempt.
#include "labyrinth/Labyrinth.h"

#include <stdexcept>

std::string ValidateOptions(const LabyrinthOptions&) { return {}; }

Labyrinth::Labyrinth(int mapDim, int mapCompl, int skill, int monstersType, int gameType,
                     int friends, std::uint32_t seed)
    : MapDim(mapDim), MapCompl(mapCompl), Skill(skill), MonstersType(monstersType),
      Friends(friends), GameType(gameType), Rng(seed) {}

Labyrinth::Labyrinth(const LabyrinthOptions& o, std::uint32_t seed)
    : Labyrinth(o.MapDim, o.MapCompl, o.Skill, o.MonstersType, o.GameType, o.Friends, seed) {}

bool Labyrinth::Generate() { return true; }

int Labyrinth::GenerateLevel(int maxAttempts) {
  for (int attempt = 1; attempt <= maxAttempts; ++attempt)
    if (Generate()) return attempt;
  return 0;
}
