#pragma once
// The "Generate .map" command: a labyrinth from the six options and a seed,
// its level text with the game folder in the wad line, written as the
// target's map.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "labyrinth/Labyrinth.h"
#include "platform/Result.h"
#include "shell/LevelPicture.h"
#include "shell/LevelTarget.h"

namespace shell {

struct GenerateRequest {
  LabyrinthOptions Options;
  std::uint32_t Seed = 0;
  // The user chose the seed: when it fails, "try again" would not help.
  bool SeedChosen = false;
  std::string GameDir;  // the game's main folder, for the wad line
  int MaxAttempts = Labyrinth::kMaxAttempts;
};

// What one level is: how it was made, its counts, its text and layout.
struct GeneratedLevel {
  LabyrinthOptions Options;
  std::uint32_t Seed = 0;
  std::string GameDir;
  int Attempts = 0;  // the number of the accepted attempt
  int Width = 0, Height = 0;  // grid cells
  int Brushes = 0, Entities = 0;
  int Monsters = 0, Weapons = 0, Ammunition = 0, Items = 0;
  std::string MapText;             // the .map file's bytes
  std::string Layout;              // the grid, as Labyrinth::LayoutPreview
  std::vector<Placed> Characters;  // monsters, friends and pickups
};

// The seed for a level made without one: the time in seconds, unless that
// is not past the last seed (two presses in one second, or a clock set
// back); then the seed after the last one, so every press makes a new level.
std::uint32_t NextSeed(std::optional<std::uint32_t> lastSeed, std::uint32_t now);
// NextSeed at the clock's time, kept in lastSeed for the next press.
std::uint32_t TakeNextSeed(std::optional<std::uint32_t>& lastSeed);

// What to tell when all attempts were rejected: Labyrinth::kRejectedMessage
// for a seed of the clock's, which the next try changes; for a seed the
// user chose, to choose another seed or smaller options.
std::string RejectedMessage(bool seedChosen, std::uint32_t seed);

// The level in memory; fails with RejectedMessage when every attempt was
// rejected.
Result<GeneratedLevel> GenerateLevel(const GenerateRequest& request);

// GenerateLevel, written as target's map ("Cannot write PATH: REASON" on
// failure; an earlier file is then left as it was). The request's game
// folder is the target's.
Result<GeneratedLevel> GenerateMap(GenerateRequest request, const LevelTarget& target);

// {name, value} of the level's counts, as the Level window and the command
// line's summary show them: attempts used, grid, brushes, entities, ...
std::vector<std::pair<std::string, std::string>> CountRows(const GeneratedLevel& level);

}  // namespace shell
