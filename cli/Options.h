#pragma once
// The command line's options: one table names each option, its values, its
// default and its help text; parsing, the error messages and --help all read it.

#include <cstdint>
#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"
#include "platform/Result.h"

namespace cli {

// Everything one command line asks for.
struct CliSettings {
  LabyrinthOptions Options;
  bool HasSeed = false;
  std::uint32_t Seed = 0;
  std::string GameDir;
  std::string Output;  // empty: quorvel.map in the current directory; "-": stdout
  std::string Grid;    // empty: no preview; "-": stdout
  bool Quiet = false;
  bool Help = false;
  bool Version = false;
};

enum class OptionKind {
  Choice,  // one of the listed names, or its index
  Seed,    // a decimal number 0 .. 4294967295
  Text,    // any text (a path)
  Flag,    // no value
};

struct OptionSpec {
  const char* Name;       // without the leading "--"
  const char* ValueName;  // placeholder shown in the usage line; empty for flags
  OptionKind Kind;
  std::vector<const char*> Choices;  // Choice only: the item names, index order
  // Shown in --help; empty when there is none. A choice's default is
  // LabyrinthOptions' own, so it is not repeated here.
  const char* DefaultText;
  const char* Help;
  // Where the value goes: the field for the option's kind, the others null.
  int LabyrinthOptions::*ChoiceField = nullptr;
  std::string CliSettings::*TextField = nullptr;
  bool CliSettings::*FlagField = nullptr;
};

const std::vector<OptionSpec>& OptionTable();

// Arguments without the program name. A later repetition of an option wins.
// A failure names the option and what it allows.
Result<CliSettings> ParseArguments(const std::vector<std::string>& args);

// "very-small|small|..." or "0 to 4294967295": what an option accepts.
std::string AllowedValues(const OptionSpec& spec);

// The --help text.
std::string UsageText();

}  // namespace cli
