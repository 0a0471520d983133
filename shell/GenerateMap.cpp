#include "shell/GenerateMap.h"

#include <sstream>

#include "platform/SafeWrite.h"
#include "shell/Names.h"

namespace shell {

std::uint32_t NextSeed(std::optional<std::uint32_t> lastSeed, std::uint32_t now) {
  return lastSeed && now <= *lastSeed ? *lastSeed + 1 : now;
}

std::uint32_t TakeNextSeed(std::optional<std::uint32_t>& lastSeed) {
  lastSeed = NextSeed(lastSeed, Random::TimeSeed());
  return *lastSeed;
}

std::string RejectedMessage(bool seedChosen, std::uint32_t seed) {
  if (!seedChosen) return Labyrinth::kRejectedMessage;
  return "Error generating labyrinth: seed " + std::to_string(seed) +
         " gives no usable level with these options; choose another seed or smaller options";
}

Result<GeneratedLevel> GenerateLevel(const GenerateRequest& request) {
  if (const Result<> valid = ValidateOptions(request.Options); !valid) return Failure{valid.Error()};

  GeneratedLevel made;
  made.Options = request.Options;
  made.Seed = request.Seed;
  made.GameDir = request.GameDir;
  Labyrinth lab(request.Options, request.Seed);
  made.Attempts = lab.GenerateLevel(request.MaxAttempts);
  if (made.Attempts == 0) return Failure{RejectedMessage(request.SeedChosen, request.Seed)};
  lab.GameDir = request.GameDir;
  std::ostringstream text;
  lab.Write(text);
  made.MapText = text.str();
  made.Width = lab.Width;
  made.Height = lab.Height;
  made.Brushes = lab.NumBlocks();
  made.Entities = lab.NumEntities();
  made.Monsters = lab.MonsterCount;
  made.Weapons = lab.WeaponCount;
  made.Ammunition = lab.AmmoCount;
  made.Items = lab.ItemCount;
  made.Layout = lab.LayoutPreview();
  made.Characters = PlacedCharacters(lab);
  return made;
}

Result<GeneratedLevel> GenerateMap(GenerateRequest request, const LevelTarget& target) {
  request.GameDir = target.GameDir;
  Result<GeneratedLevel> made = GenerateLevel(request);
  if (!made) return made;
  const std::string path = target.MapPath();
  if (const Result<> written = platform::WriteFileSafely(path, made->MapText); !written)
    return Failure{"Cannot write " + path + ": " + written.Error()};
  return made;
}

std::vector<std::pair<std::string, std::string>> CountRows(const GeneratedLevel& level) {
  const auto n = [](int count) { return std::to_string(count); };
  return {{"Attempts used", n(level.Attempts)},
          {"Grid", n(level.Width) + " x " + n(level.Height) + " cells"},
          {"Brushes", n(level.Brushes)},
          {"Entities", n(level.Entities)},
          {"Monsters", n(level.Monsters)},
          {"Weapons", n(level.Weapons)},
          {"Ammunition", n(level.Ammunition)},
          {"Items", n(level.Items)}};
}

}  // namespace shell
