#pragma once
// The "Generate .map" command: a labyrinth from the six options, written as
// AppDir/quorvel.map with the game folder in its wad line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"
#include "platform/Result.h"
#include "shell/LevelPicture.h"

namespace shell {

struct GenerateRequest {
  LabyrinthOptions Options;
  std::string AppDir;   // the map goes here
  std::string GameDir;  // the game's main folder, for the wad line
  std::optional<std::uint32_t> Seed;  // none: the time in seconds
  bool FixedSeed = false;  // the user chose Seed: another try cannot help when it fails
  int MaxAttempts = Labyrinth::kMaxAttempts;
};

// What a successful run made; StatusText is kMapGenerated.
struct GeneratedMap {
  std::string MapPath;
  std::uint32_t Seed = 0;
  int Attempts = 0;  // the number of the accepted attempt
  int Width = 0, Height = 0;  // grid cells
  int Brushes = 0, Entities = 0;
  int Monsters = 0, Weapons = 0, Ammunition = 0, Items = 0;
  std::string StatusText;
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
std::string RejectedMessage(bool fixedSeed, std::uint32_t seed);

// Fails with RejectedMessage when every attempt was rejected, or with
// "Cannot write PATH: REASON" (an earlier file is then left as it was).
Result<GeneratedMap> GenerateMap(const GenerateRequest& request);

}  // namespace shell
