#include "shell/OptionNames.h"

namespace shell {

namespace {

std::string Item(const std::vector<const char*>& items, int index) {
  return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<size_t>(index)] : "?";
}

}  // namespace

std::vector<std::pair<std::string, std::string>> OptionCaptions(const LabyrinthOptions& options) {
  return {
      {"Map Dimension", Item({"Very Small", "Small", "Medium", "Big", "Very Big"}, options.MapDim)},
      {"Monsters Type", Item({"All", "Grunts only", "Grunts and Assassins", "Aliens only"}, options.MonstersType)},
      {"Game Type", Item({"Kill all", "Find the exit"}, options.GameType)},
      {"Map Complexity", Item({"Low", "Normal", "High"}, options.MapCompl)},
      {"Skill", Item({"Low", "Normal", "High"}, options.Skill)},
      {"Friends", Item({"None", "1", "2"}, options.Friends)},
  };
}

std::vector<std::string> LevelCaption(const LabyrinthOptions& options, std::uint32_t seed) {
  std::vector<std::string> lines{"Seed " + std::to_string(seed)};
  int index = 0;
  for (const auto& [group, item] : OptionCaptions(options)) {
    if (index++ % 2 == 0)
      lines.push_back(group + ' ' + item);
    else
      lines.back() += ", " + group + ' ' + item;
  }
  return lines;
}

}  // namespace shell
