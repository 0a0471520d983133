#include "cli/Options.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

namespace cli {

namespace {

enum class OptionKind {
  Choice,  // one of a level option's item names, or its index
  Seed,    // a decimal number 0 .. 4294967295
  Text,    // any text (a path)
  Flag,    // no value
  Quality, // fast, normal or full
  Count,   // a number of levels, 1 .. kMaxCount
};

struct CliOption {
  std::string Name;       // without the leading "--"
  const char* ValueName;  // placeholder shown in the usage line; empty for flags
  OptionKind Kind;
  // Shown in --help; empty when there is none. A level option's default is
  // LabyrinthOptions' own, so it is not repeated here.
  const char* DefaultText;
  std::string Help;
  char Short = 0;  // the one-letter form (-h), if any
  // Where the value goes: the field for the option's kind, the others null.
  const shell::OptionSpec* Level = nullptr;
  std::string CliSettings::*TextField = nullptr;
  bool CliSettings::*FlagField = nullptr;
};

CliOption Choice(const shell::OptionSpec& spec) {
  CliOption option{spec.Name, spec.ValueName, OptionKind::Choice, "", spec.Help};
  option.Level = &spec;
  return option;
}

CliOption Text(const char* name, const char* valueName, std::string CliSettings::*field, const char* defaultText,
               const char* help) {
  CliOption option{name, valueName, OptionKind::Text, defaultText, help};
  option.TextField = field;
  return option;
}

CliOption Flag(const char* name, bool CliSettings::*field, const char* help, char shortForm = 0) {
  CliOption option{name, "", OptionKind::Flag, "", help};
  option.FlagField = field;
  option.Short = shortForm;
  return option;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

const std::vector<CliOption>& OptionTable() {
  static const std::vector<CliOption> table = [] {
    std::vector<CliOption> options;
    for (const shell::OptionSpec& spec : shell::LevelOptionTable()) options.push_back(Choice(spec));
    options.push_back({"seed", "N", OptionKind::Seed, "the time in seconds",
                       "seed of the random source; the same seed and options make the same level"});
    options.push_back(Text("game-dir", "DIR", &CliSettings::GameDir, "the project's, else empty",
                           "the game's main directory, named in the level's wad entry"));
    options.push_back(Text("output", "FILE", &CliSettings::Output, "quorvel.map in the current directory",
                           "where the level goes; - for standard output"));
    options.push_back(Text("grid", "FILE", &CliSettings::Grid, "",
                           "also write the layout preview (one line per grid row); - for standard output"));
    options.push_back(Text("preview", "FILE", &CliSettings::Preview, "",
                           "also write a picture of the layout as SVG, with a legend; - for standard output"));
    options.push_back(Text("tools", "DIR", &CliSettings::Tools, "the project's",
                           "the compile tools folder (sdHLCSG, sdHLBSP, sdHLVIS, sdHLRAD or the hl names), for --compile"));
    options.push_back(Text("name", "NAME", &CliSettings::Name, "",
                           "keep the level as NAME.map in the project's levels folder (not quorvel.map), compiled "
                           "as NAME.bsp; letters, digits, _ and -, at most 32"));
    options.push_back({"count", "N", OptionKind::Count, "",
                       "make N levels with consecutive seeds from --seed, kept as PREFIX_SEED with --name PREFIX"});
    options.push_back(Flag("compile", &CliSettings::Compile,
                           "compile the level (written as quorvel.map, or kept with --name) and move it into the "
                           "game's valve/maps; needs --tools and --game-dir"));
    options.push_back({"quality", "Q", OptionKind::Quality, "the project's, else normal",
                       "how thoroughly --compile compiles: fast (lighting without bounces), normal, full"});
    options.push_back(Flag("run", &CliSettings::Run,
                           "start the game on the level in the game's valve/maps (alone: the one compiled before); "
                           "needs --game-dir"));
    options.push_back(Flag("quiet", &CliSettings::Quiet, "print only the seed on standard error", 'q'));
    options.push_back(Flag("help", &CliSettings::Help, "show this help and exit", 'h'));
    options.push_back(Flag("version", &CliSettings::Version, "show the version and exit"));
    return options;
  }();
  return table;
}

// By name, ignoring case as values are; "-h" style when shortForm.
const CliOption* FindOption(const std::string& name, bool shortForm) {
  for (const CliOption& spec : OptionTable()) {
    const bool match = shortForm ? name.size() == 1 && spec.Short &&
                                       std::tolower(static_cast<unsigned char>(name[0])) == spec.Short
                                 : EqualsIgnoringCase(name, spec.Name);
    if (match) return &spec;
  }
  return nullptr;
}

// Windows' own ways to ask for help.
bool AsksForHelp(const std::string& arg) {
#ifdef _WIN32
  return arg == "/?" || arg == "-?";
#else
  (void)arg;
  return false;
#endif
}

std::string AllowedValues(const CliOption& spec) {
  switch (spec.Kind) {
    case OptionKind::Choice:
      return shell::AllowedItems(*spec.Level);
    case OptionKind::Seed:
      return "0 to 4294967295";
    case OptionKind::Text:
      return "a file or directory name";
    case OptionKind::Flag:
      return "no value";
    case OptionKind::Quality:
      return "fast|normal|full";
    case OptionKind::Count:
      return "1 to " + std::to_string(kMaxCount);
  }
  return {};
}

}  // namespace

Result<CliSettings> ParseArguments(const std::vector<std::string>& args) {
  CliSettings settings;

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (AsksForHelp(arg)) {
      settings.Help = true;
      continue;
    }
    const bool shortForm = arg.size() >= 2 && arg[0] == '-' && arg[1] != '-';
    if (!shortForm && (arg.size() < 3 || arg.compare(0, 2, "--") != 0))
      return Failure{"unexpected argument '" + arg + "': every setting is an option (see --help)"};

    const size_t dashes = shortForm ? 1 : 2;
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(dashes, equals == std::string::npos ? std::string::npos : equals - dashes);
    const CliOption* spec = FindOption(name, shortForm);
    if (!spec) return Failure{"unknown option '" + arg.substr(0, dashes) + name + "' (see --help)"};
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
        const Result<int> item = shell::ParseOptionItem(*spec->Level, value);
        if (!item) return Failure{"bad value '" + value + "' for " + option + ": " + item.Error()};
        spec->Level->Set(settings.Options, *item);
        break;
      }
      case OptionKind::Seed: {
        const Result<std::uint32_t> seed = shell::ParseSeed(value);
        if (!seed)
          return Failure{"bad value '" + value + "' for " + option +
                         ": allowed is a decimal number from " + AllowedValues(*spec)};
        settings.Seed = *seed;
        settings.HasSeed = true;
        break;
      }
      case OptionKind::Text:
        if (value.empty()) return Failure{option + " needs a value: " + AllowedValues(*spec)};
        settings.*(spec->TextField) = value;
        break;
      case OptionKind::Quality: {
        const Result<shell::CompileQuality> quality = shell::ParseQuality(value);
        if (!quality) return Failure{"bad value '" + value + "' for " + option + ": " + quality.Error()};
        settings.Quality = *quality;
        break;
      }
      case OptionKind::Count: {
        const Result<std::uint32_t> count = shell::ParseSeed(value);
        if (!count || *count < 1 || *count > kMaxCount)
          return Failure{"bad value '" + value + "' for " + option + ": allowed is " + AllowedValues(*spec)};
        settings.Count = *count;
        break;
      }
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
  for (const CliOption& spec : OptionTable()) {
    std::string left = spec.Short ? std::string("  -") + spec.Short + ", --" + spec.Name : "  --" + spec.Name;
    if (*spec.ValueName) left += std::string(" ") + spec.ValueName;
    text << left;
    const size_t column = 22;
    text << std::string(left.size() < column ? column - left.size() : 1, ' ') << spec.Help << '\n';

    const std::string indent(column, ' ');
    if (spec.Kind == OptionKind::Choice || spec.Kind == OptionKind::Seed || spec.Kind == OptionKind::Quality)
      text << indent << spec.ValueName << ": " << AllowedValues(spec) << '\n';
    if (spec.Kind == OptionKind::Choice)
      text << indent << "default: " << spec.Level->Items.at(static_cast<size_t>(spec.Level->Default())).Name << '\n';
    else if (*spec.DefaultText)
      text << indent << "default: " << spec.DefaultText << '\n';
  }
  text << "\nIn a project folder (one that holds quorvel.ini; in the home folder the settings in\n"
          "~/.config/quorvel, on Windows in the program's folder those in %APPDATA%\\Quorvel), the\n"
          "compile tools and game folders and the compile quality come from its settings unless\n"
          "given here, and --name keeps levels in its levels folder.\n"
          "\nExit status: 0 done (with --count: all N levels made, and compiled when asked),\n"
          "1 generation, writing, keeping, compiling or starting the game failed, 2 bad command line.\n"
          "Ctrl+C, SIGTERM or SIGHUP during a compile stop the tools first, then end the program\n"
          "by that signal.\n";
  return text.str();
}

}  // namespace cli
