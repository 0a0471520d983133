#pragma once
// The six options as the window names them: each group's caption and the
// caption of its chosen item, for the level's description.

#include <string>
#include <utility>
#include <vector>

#include "labyrinth/Labyrinth.h"

namespace shell {

// {group caption, item caption}, in the window's order: dimension, monsters
// type, game type, complexity, skill, friends.
std::vector<std::pair<std::string, std::string>> OptionCaptions(const LabyrinthOptions& options);

// Short lines: "Seed N", then the options two to a line
// ("Map Dimension Small, Monsters Type All").
std::vector<std::string> LevelCaption(const LabyrinthOptions& options, std::uint32_t seed);

}  // namespace shell
