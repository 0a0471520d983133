#include "cli/Options.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

namespace cli {

namespace {

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

OptionSpec Choice(const char* name, const char* valueName, std::vector<const char*> choices,
                  int LabyrinthOptions::*field, const char* help) {
  OptionSpec spec{name, valueName, OptionKind::Choice, std::move(choices), "", help};
  spec.ChoiceField = field;
  return spec;
}

OptionSpec Text(const char* name, const char* valueName, std::string CliSettings::*field,
                const char* defaultText, const char* help) {
  OptionSpec spec{name, valueName, OptionKind::Text, {}, defaultText, help};
  spec.TextField = field;
  return spec;
}

OptionSpec Flag(const char* name, bool CliSettings::*field, const char* help) {
  OptionSpec spec{name, "", OptionKind::Flag, {}, "", help};
  spec.FlagField = field;
  return spec;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  const std::string other(b);
  return a.size() == other.size() &&
         std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool AllDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A name, or the item index as plain decimal digits; -1 when it is neither.
int ParseChoice(const OptionSpec& spec, const std::string& value) {
  const int count = static_cast<int>(spec.Choices.size());
  for (int i = 0; i < count; ++i)
    if (EqualsIgnoringCase(value, spec.Choices[i])) return i;
  if (AllDigits(value) && value.size() <= 2) {
    const int index = std::stoi(value);
    if (index < count) return index;
  }
  return -1;
}

bool ParseSeed(const std::string& value, std::uint32_t& seed) {
  // Ten digits at most keeps the sum below 2^64 whatever the digits are.
  if (!AllDigits(value) || value.size() > 10) return false;
  std::uint64_t n = 0;
  for (char c : value) n = n * 10 + static_cast<std::uint64_t>(c - '0');
  if (n > 0xFFFFFFFFull) return false;
  seed = static_cast<std::uint32_t>(n);
  return true;
}

const std::vector<OptionSpec>& OptionTable() {
  static const std::vector<OptionSpec> table = {
      Choice("dimension", "D", {"very-small", "small", "medium", "big", "very-big"},
             &LabyrinthOptions::MapDim, "map dimension"),
      Choice("complexity", "C", {"low", "normal", "high"}, &LabyrinthOptions::MapCompl,
             "map complexity"),
      Choice("skill", "S", {"low", "normal", "high"}, &LabyrinthOptions::Skill, "skill"),
      Choice("monsters", "M", {"all", "grunts", "grunts-assassins", "aliens"},
             &LabyrinthOptions::MonstersType, "monsters type"),
      Choice("friends", "F", {"0", "1", "2"}, &LabyrinthOptions::Friends, "number of friends"),
      Choice("game-type", "G", {"kill-all", "find-exit"}, &LabyrinthOptions::GameType, "game type"),
      {"seed",
       "N",
       OptionKind::Seed,
       {},
       "the time in seconds",
       "seed of the random source; the same seed and options make the same level"},
      Text("game-dir", "DIR", &CliSettings::GameDir, "empty",
           "the game's main directory, named in the level's wad entry"),
      Text("output", "FILE", &CliSettings::Output, "quorvel.map in the current directory",
           "where the level goes; - for standard output"),
      Text("grid", "FILE", &CliSettings::Grid, "",
           "also write the layout preview (one line per grid row); - for standard output"),
      Text("preview", "FILE", &CliSettings::Preview, "",
           "also write a picture of the layout as SVG, with a legend; - for standard output"),
      Text("tools", "DIR", &CliSettings::Tools, "",
           "the compile tools folder (sdHLCSG, sdHLBSP, sdHLVIS, sdHLRAD or the hl names), for --compile"),
      Flag("compile", &CliSettings::Compile,
           "compile the level (written as quorvel.map) and move it into the game's valve/maps; "
           "needs --tools and --game-dir"),
      Flag("run", &CliSettings::Run,
           "start the game on the level in the game's valve/maps (alone: the one compiled before); needs --game-dir"),
      Flag("quiet", &CliSettings::Quiet, "print only the seed on standard error"),
      Flag("help", &CliSettings::Help, "show this help and exit"),
      Flag("version", &CliSettings::Version, "show the version and exit"),
  };
  return table;
}

const OptionSpec* FindOption(const std::string& name) {
  for (const OptionSpec& spec : OptionTable())
    if (name == spec.Name) return &spec;
  return nullptr;
}

std::string AllowedValues(const OptionSpec& spec) {
  switch (spec.Kind) {
    case OptionKind::Choice: {
      std::string text;
      for (const char* name : spec.Choices) {
        if (!text.empty()) text += '|';
        text += name;
      }
      // Friends' names are their own indexes; saying so twice helps nobody.
      if (!AllDigits(spec.Choices.front()))
        text += " or 0-" + std::to_string(spec.Choices.size() - 1);
      return text;
    }
    case OptionKind::Seed:
      return "0 to 4294967295";
    case OptionKind::Text:
      return "a file or directory name";
    case OptionKind::Flag:
      return "no value";
  }
  return {};
}

}  // namespace

Result<CliSettings> ParseArguments(const std::vector<std::string>& args) {
  CliSettings settings;

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0)
      return Failure{"unexpected argument '" + arg + "': every setting is an option (see --help)"};

    const size_t equals = arg.find('=');
    const std::string name =
        arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    const OptionSpec* spec = FindOption(name);
    if (!spec) return Failure{"unknown option '--" + name + "' (see --help)"};
    const std::string option = std::string("--") + spec->Name;
    settings.Given.push_back(spec->Name);

    if (spec->Kind == OptionKind::Flag) {
      if (equals != std::string::npos) return Failure{option + " takes no value"};
      settings.*(spec->FlagField) = true;
      continue;
    }

    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size() && args[i + 1].compare(0, 2, "--") != 0) {
      value = args[++i];
    } else {
      return Failure{option + " needs a value: " + spec->ValueName + " is " + AllowedValues(*spec)};
    }

    switch (spec->Kind) {
      case OptionKind::Choice: {
        const int index = ParseChoice(*spec, value);
        if (index < 0)
          return Failure{"bad value '" + value + "' for " + option + ": allowed are " +
                         AllowedValues(*spec)};
        settings.Options.*(spec->ChoiceField) = index;
        break;
      }
      case OptionKind::Seed:
        if (!ParseSeed(value, settings.Seed))
          return Failure{"bad value '" + value + "' for " + option +
                         ": allowed is a decimal number from " + AllowedValues(*spec)};
        settings.HasSeed = true;
        break;
      case OptionKind::Text:
        if (value.empty()) return Failure{option + " needs a value: " + AllowedValues(*spec)};
        settings.*(spec->TextField) = value;
        break;
      case OptionKind::Flag:
        break;
    }
  }
  return settings;
}

std::string UsageText() {
  std::ostringstream text;
  text << "Usage: quorvel-cli [options]\n"
          "Makes a random Half-Life labyrinth level as a .map file.\n\n"
          "Options:\n";
  const LabyrinthOptions defaults;
  for (const OptionSpec& spec : OptionTable()) {
    std::string left = std::string("  --") + spec.Name;
    if (*spec.ValueName) left += std::string(" ") + spec.ValueName;
    text << left;
    const size_t column = 22;
    text << std::string(left.size() < column ? column - left.size() : 1, ' ') << spec.Help << '\n';

    const std::string indent(column, ' ');
    if (spec.Kind == OptionKind::Choice || spec.Kind == OptionKind::Seed)
      text << indent << spec.ValueName << ": " << AllowedValues(spec) << '\n';
    if (spec.Kind == OptionKind::Choice)
      text << indent << "default: " << spec.Choices[defaults.*(spec.ChoiceField)] << '\n';
    else if (*spec.DefaultText)
      text << indent << "default: " << spec.DefaultText << '\n';
  }
  text << "\nExit status: 0 done, 1 generation, writing, compiling or starting the game failed,\n"
          "2 bad command line. Ctrl+C, SIGTERM or SIGHUP during a compile stop the tools first,\n"
          "then end the program by that signal.\n";
  return text.str();
}

std::vector<std::string> ArgumentsFor(const LabyrinthOptions& options, std::uint32_t seed,
                                      const std::string& gameDir) {
  std::vector<std::string> args;
  for (const OptionSpec& spec : OptionTable()) {
    if (spec.Kind != OptionKind::Choice) continue;
    args.push_back(std::string("--") + spec.Name);
    args.push_back(spec.Choices.at(static_cast<size_t>(options.*(spec.ChoiceField))));
  }
  args.insert(args.end(), {"--seed", std::to_string(seed)});
  if (!gameDir.empty()) args.insert(args.end(), {"--game-dir", gameDir});
  return args;
}

namespace {

bool PlainWord(const std::string& word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("-_./:=+,@%", c);
  });
}

#ifdef _WIN32
// cmd and the C runtime: double quotes; a quote is escaped with a backslash,
// and so are the backslashes before a quote or the closing quote.
std::string Quoted(const std::string& word) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + '"';
}
#else
// POSIX shells: single quotes keep everything but a single quote, which is
// closed, escaped and reopened.
std::string Quoted(const std::string& word) {
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}
#endif

}  // namespace

std::string CommandLineText(const std::vector<std::string>& args) {
  std::string text = "quorvel-cli";
  for (const std::string& arg : args) text += ' ' + (PlainWord(arg) ? arg : Quoted(arg));
  return text;
}

}  // namespace cli
