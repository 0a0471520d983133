#pragma once

#include <cstdint>
#include <string>

#include "map/HLMap.h"
#include "map/Random.h"

// The six options, each the item index of its option group in the window.
struct LabyrinthOptions {
  int MapDim = 1;        // 0 Very Small .. 4 Very Big
  int MapCompl = 1;      // 0 Low, 1 Normal, 2 High
  int Skill = 1;         // 0 Low, 1 Normal, 2 High
  int MonstersType = 0;  // 0 All, 1 Grunts only, 2 Grunts and Assassins, 3 Aliens only
  int GameType = 1;      // 0 Kill all, 1 Find the exit
  int Friends = 0;       // 0, 1, 2
};

// Empty when every option is in range; otherwise a message naming the option
// and the values it allows.
std::string ValidateOptions(const LabyrinthOptions& options);

// A random labyrinth level: lays out a grid, checks it, then furnishes the
// map document it derives from.
class Labyrinth : public HLMap {
 public:
  static constexpr int kMaxAttempts = 500;

  // Options in the window's order (the game type before the friends).
  // Throws std::invalid_argument when an option is out of range.
  Labyrinth(int mapDim, int mapCompl, int skill, int monstersType, int gameType, int friends,
            std::uint32_t seed = Random::TimeSeed());
  Labyrinth(const LabyrinthOptions& options, std::uint32_t seed = Random::TimeSeed());

  // One attempt at the whole level; false when the layout was rejected, in
  // which case nothing was added to the map.
  bool Generate();

  // Calls Generate until it succeeds, at most maxAttempts times. Returns the
  // number of the successful attempt, or 0 when all were rejected.
  int GenerateLevel(int maxAttempts = kMaxAttempts);

  int MapDim = 0;
  int MapCompl = 0;
  int Skill = 0;
  int MonstersType = 0;
  int Friends = 0;
  int GameType = 0;
  int Width = 0;
  int Height = 0;
  int MonsterCount = 0;
  int WeaponCount = 0;
  int AmmoCount = 0;
  int ItemCount = 0;

  Random Rng;
};
