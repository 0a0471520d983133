#pragma once
// The six options a level is made from, declared once: each group's caption
// and items as the windows show them, the names the command line and the
// settings file use, and the order every front end lists them in (the
// windows' reading order: the upper row, then the lower). Their defaults are
// LabyrinthOptions' own.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "labyrinth/Labyrinth.h"
#include "platform/Result.h"
#include "shell/Settings.h"

namespace shell {

struct OptionItem {
  const char* Caption;  // as the window shows it
  const char* Name;     // on the command line and in the settings file
};

struct OptionSpec {
  const char* Caption;    // the window's group caption
  const char* Name;       // on the command line (--monsters) and in the settings file
  const char* ValueName;  // the value's placeholder in --help
  const char* Help;       // what --help says the option is
  std::vector<OptionItem> Items;
  int LabyrinthOptions::*Field;  // where the item index goes

  int Get(const LabyrinthOptions& options) const { return options.*Field; }
  void Set(LabyrinthOptions& options, int item) const { options.*Field = item; }
  int Default() const { return Get(LabyrinthOptions{}); }
};

// The six, in the windows' reading order.
const std::vector<OptionSpec>& LevelOptionTable();

// An item by its name (case ignored) or its index in decimal digits.
Result<int> ParseOptionItem(const OptionSpec& spec, const std::string& text);
// "very-small|small|... or 0-4": what ParseOptionItem takes.
std::string AllowedItems(const OptionSpec& spec);

// The options kept in the settings (`dimension=small`, ...); a missing or
// unknown value leaves that option at its default.
LabyrinthOptions OptionsFromSettings(const Settings& settings);
void StoreOptions(const LabyrinthOptions& options, Settings& settings);

// A seed: decimal digits (leading zeros allowed) for 0 to 4294967295.
Result<std::uint32_t> ParseSeed(const std::string& text);

// {group caption, item caption} of each option, in the table's order.
std::vector<std::pair<std::string, std::string>> OptionRows(const LabyrinthOptions& options);

// Short lines: "Seed N", then the options two to a line
// ("Map Dimension Small, Monsters Type All").
std::vector<std::string> LevelCaption(const LabyrinthOptions& options, std::uint32_t seed);

// The quorvel-cli arguments that make this level again, byte for byte: all
// six options, --seed and (when not empty) --game-dir.
std::vector<std::string> ArgumentsFor(const LabyrinthOptions& options, std::uint32_t seed,
                                      const std::string& gameDir);

}  // namespace shell
