#pragma once
// The command line's options: one table (in Options.cpp) names each option,
// its values, its default and its help text; parsing, the error messages and
// --help all read it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"
#include "platform/Result.h"
#include "shell/CompileQuality.h"
#include "shell/LevelOptions.h"

namespace cli {

// Everything one command line asks for.
struct CliSettings {
  LabyrinthOptions Options;
  bool HasSeed = false;
  std::uint32_t Seed = 0;
  std::string GameDir;
  std::string Output;  // empty: quorvel.map in the current directory; "-": stdout
  std::string Grid;    // empty: no preview; "-": stdout
  std::string Preview; // empty: no picture; "-": stdout
  std::string Tools;   // the compile tools folder, for Compile
  std::string Name;    // keep the level under this name in the project's levels folder (PREFIX with Count)
  unsigned Count = 0;  // make this many levels, kept as Name_SEED; 0: one
  std::optional<shell::CompileQuality> Quality;
  bool Compile = false;  // compile the level and move it into GameDir/valve/maps
  bool Run = false;      // start the game on the level afterwards
  bool Quiet = false;
  bool Help = false;
  bool Version = false;
  std::vector<std::string> Given;  // the options given, by name without "--", in order
};

inline constexpr unsigned kMaxCount = 1000;

// Arguments without the program name. A later repetition of an option wins.
// A failure names the option and what it allows.
Result<CliSettings> ParseArguments(const std::vector<std::string>& args);

// The --help text.
std::string UsageText();

}  // namespace cli
