#include "shell/LevelOptions.h"

#include <algorithm>
#include <cctype>

namespace shell {

namespace {

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  const std::string other(b);
  return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of decimal digits, leading zeros allowed; false above max.
bool DecimalAtMost(const std::string& text, std::uint64_t max, std::uint64_t& value) {
  if (!AllDigits(text)) return false;
  value = 0;
  for (const char c : text) {
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > max) return false;
  }
  return true;
}

}  // namespace

const std::vector<OptionSpec>& LevelOptionTable() {
  static const std::vector<OptionSpec> table = {
      {"Map Dimension",
       "dimension",
       "D",
       "map dimension",
       {{"Very Small", "very-small"}, {"Small", "small"}, {"Medium", "medium"}, {"Big", "big"}, {"Very Big", "very-big"}},
       &LabyrinthOptions::MapDim},
      {"Monsters Type",
       "monsters",
       "M",
       "monsters type",
       {{"All", "all"}, {"Grunts only", "grunts"}, {"Grunts and Assassins", "grunts-assassins"}, {"Aliens only", "aliens"}},
       &LabyrinthOptions::MonstersType},
      {"Game Type", "game-type", "G", "game type", {{"Kill all", "kill-all"}, {"Find the exit", "find-exit"}},
       &LabyrinthOptions::GameType},
      {"Map Complexity", "complexity", "C", "map complexity", {{"Low", "low"}, {"Normal", "normal"}, {"High", "high"}},
       &LabyrinthOptions::MapCompl},
      {"Skill", "skill", "S", "skill", {{"Low", "low"}, {"Normal", "normal"}, {"High", "high"}}, &LabyrinthOptions::Skill},
      {"Friends", "friends", "F", "number of friends", {{"None", "0"}, {"1", "1"}, {"2", "2"}},
       &LabyrinthOptions::Friends},
  };
  return table;
}

Result<int> ParseOptionItem(const OptionSpec& spec, const std::string& text) {
  const auto count = static_cast<int>(spec.Items.size());
  for (int i = 0; i < count; ++i)
    if (EqualsIgnoringCase(text, spec.Items[static_cast<std::size_t>(i)].Name)) return i;
  std::uint64_t index = 0;
  if (DecimalAtMost(text, static_cast<std::uint64_t>(count - 1), index)) return static_cast<int>(index);
  return Failure{"allowed are " + AllowedItems(spec)};
}

std::string AllowedItems(const OptionSpec& spec) {
  std::string text;
  for (const OptionItem& item : spec.Items) text += (text.empty() ? "" : "|") + std::string(item.Name);
  // Friends' names are their own indexes; saying so twice helps nobody.
  if (!AllDigits(spec.Items.front().Name)) text += " or 0-" + std::to_string(spec.Items.size() - 1);
  return text;
}

LabyrinthOptions OptionsFromSettings(const Settings& settings) {
  LabyrinthOptions options;
  for (const OptionSpec& spec : LevelOptionTable())
    if (const Result<int> item = ParseOptionItem(spec, settings.Value(spec.Name))) spec.Set(options, *item);
  return options;
}

void StoreOptions(const LabyrinthOptions& options, Settings& settings) {
  for (const OptionSpec& spec : LevelOptionTable())
    settings.SetValue(spec.Name, spec.Items.at(static_cast<std::size_t>(spec.Get(options))).Name);
}

Result<std::uint32_t> ParseSeed(const std::string& text) {
  std::uint64_t seed = 0;
  if (!DecimalAtMost(text, 0xFFFFFFFFu, seed)) return Failure{"A seed is a whole number from 0 to 4294967295."};
  return static_cast<std::uint32_t>(seed);
}

std::vector<std::pair<std::string, std::string>> OptionRows(const LabyrinthOptions& options) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const OptionSpec& spec : LevelOptionTable()) {
    const int item = spec.Get(options);
    const bool known = item >= 0 && item < static_cast<int>(spec.Items.size());
    rows.emplace_back(spec.Caption, known ? spec.Items[static_cast<std::size_t>(item)].Caption : "?");
  }
  return rows;
}

std::vector<std::string> LevelCaption(const LabyrinthOptions& options, std::uint32_t seed) {
  std::vector<std::string> lines{"Seed " + std::to_string(seed)};
  int index = 0;
  for (const auto& [group, item] : OptionRows(options)) {
    if (index++ % 2 == 0)
      lines.push_back(group + ' ' + item);
    else
      lines.back() += ", " + group + ' ' + item;
  }
  return lines;
}

std::vector<std::string> ArgumentsFor(const LabyrinthOptions& options, std::uint32_t seed,
                                      const std::string& gameDir) {
  std::vector<std::string> args;
  for (const OptionSpec& spec : LevelOptionTable())
    args.insert(args.end(), {std::string("--") + spec.Name, spec.Items.at(static_cast<std::size_t>(spec.Get(options))).Name});
  args.insert(args.end(), {"--seed", std::to_string(seed)});
  if (!gameDir.empty()) args.insert(args.end(), {"--game-dir", gameDir});
  return args;
}

}  // namespace shell
