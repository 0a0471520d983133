#include "shell/GenerateMap.h"

#include "shell/Names.h"
#include "shell/Paths.h"

namespace shell {

std::uint32_t NextSeed(std::optional<std::uint32_t> lastSeed, std::uint32_t now) {
  return lastSeed && now <= *lastSeed ? *lastSeed + 1 : now;
}

std::uint32_t TakeNextSeed(std::optional<std::uint32_t>& lastSeed) {
  lastSeed = NextSeed(lastSeed, Random::TimeSeed());
  return *lastSeed;
}

std::string RejectedMessage(bool fixedSeed, std::uint32_t seed) {
  if (!fixedSeed) return Labyrinth::kRejectedMessage;
  return "Error generating labyrinth: seed " + std::to_string(seed) +
         " gives no usable level with these options; choose another seed or smaller options";
}

Result<GeneratedMap> GenerateMap(const GenerateRequest& request) {
  if (const Result<> valid = ValidateOptions(request.Options); !valid) return Failure{valid.Error()};

  GeneratedMap made;
  made.Seed = request.Seed ? *request.Seed : Random::TimeSeed();
  Labyrinth lab(request.Options, made.Seed);
  made.Attempts = lab.GenerateLevel(request.MaxAttempts);
  if (made.Attempts == 0) return Failure{RejectedMessage(request.FixedSeed, made.Seed)};

  lab.GameDir = request.GameDir;
  made.MapPath = JoinPath(request.AppDir, kMapFileName);
  const Result<> written = lab.WriteMap(made.MapPath);
  if (!written) return Failure{"Cannot write " + made.MapPath + ": " + written.Error()};

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
  made.StatusText = kMapGenerated;
  return made;
}

}  // namespace shell
