#pragma once
// Levels kept under names of their own, so that the next "Generate .map"
// (which always writes quorvel.map) does not take them. They live in the
// levels folder beside the settings, LEVELDIR/levels, made when needed:
//
//   NAME.map     the level's bytes
//   NAME.level   its record: how to make it again and where it was compiled
//   NAME.log     the compile tools' log, once compiled
//   GAME/valve/maps/NAME.bsp, once compiled into the game
//
// A level the program wrote is one with a record. A NAME.map without one,
// or a NAME.bsp in the game that the record does not say the program put
// there, belongs to someone else and is never replaced: keeping or
// compiling under that name is refused with the reason. Names are compared
// as the file system does (ignoring case on Windows).
//
// The record is lines like the settings file's: a first line that says
// what the file is, the game folder the level names, then `name=value`
// lines: seed, the six options by their settings names, made (local time)
// and compiled (yes or no).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"
#include "platform/Result.h"
#include "shell/GenerateMap.h"
#include "shell/LevelTarget.h"

namespace shell {

struct KeptLevel {
  std::string Name;
  std::uint32_t Seed = 0;
  LabyrinthOptions Options;
  std::string GameDir;    // the one its wad entry names; compiled into and played from there
  std::string Made;       // "2026-12-05 14:03", local time
  bool Compiled = false;  // the program put GameDir/valve/maps/NAME.bsp there

  std::string GameLevelPath() const;  // GameDir/valve/maps/NAME.bsp
};

inline constexpr std::size_t kMaxLevelNameLength = 32;

// LEVELDIR/levels.
std::string KeptLevelsDir(const std::string& levelDir);
// Letters, digits, '_' and '-', 1 to kMaxLevelNameLength of them, and not a
// name Windows keeps for a device (con, nul, com1...) nor the default
// level's (kLevelName, which every "Generate .bsp" replaces), in any case.
// Fails saying why.
Result<> CheckLevelName(const std::string& name);
// The name offered for a level: quorvel_SEED.
std::string OfferedName(std::uint32_t seed);

// The kept levels in dir by name; records that cannot be read are left out.
std::vector<KeptLevel> ListKeptLevels(const std::string& dir);
// The kept level of that name; nullopt when there is none.
std::optional<KeptLevel> FindKeptLevel(const std::string& dir, const std::string& name);

// Writes level as dir/NAME.map with its record, making dir when needed.
// Refuses a bad name, a kept level of that name (delete it first), a
// NAME.map without a record, and a GAME/valve/maps/NAME.bsp of someone
// else's.
Result<KeptLevel> KeepLevel(const std::string& dir, const std::string& name, const GeneratedLevel& level);

// The target of a kept level: its map in dir, its game folder.
LevelTarget KeptTarget(const std::string& dir, const KeptLevel& level, const std::string& toolDir,
                       CompileQuality quality);
// Why it cannot be compiled into its game: a NAME.bsp there that the program
// did not put there, or no game folder.
Result<> CheckCompileKept(const KeptLevel& level);
// Records that the program compiled it into its game.
Result<> MarkCompiled(const std::string& dir, KeptLevel level);

// What DeleteKeptLevel removes: the map, the record, the tools' log and what
// they leave beside the map, and the game's NAME.bsp when the record says the
// program put it there.
std::vector<std::string> KeptLevelFiles(const std::string& dir, const KeptLevel& level);
// Removes them (the record last); fails naming what could not be removed.
Result<> DeleteKeptLevel(const std::string& dir, const KeptLevel& level);

}  // namespace shell
