#include "cli/Cli.h"

#include "cli/Options.h"
#include "map/HLMap.h"
#include "map/Random.h"
#include "platform/Platform.h"

namespace cli {

namespace {

constexpr const char* kProgram = "quorvel-cli";
constexpr const char* kVersion = "1.01";
constexpr const char* kStdout = "-";

std::string DefaultOutputPath() {
  const std::string dir = platform::CurrentDirectory();
  // An unreadable current directory would make "/quorvel.map"; the bare
  // name still lands in the current directory.
  return dir.empty() ? std::string("quorvel.map") : platform::JoinPath(dir, "quorvel.map");
}

bool ReportWrite(const Result<>& result, const std::string& what, const std::string& path,
                 std::ostream& err) {
  if (!result)
    err << kProgram << ": cannot write the " << what << " to '" << path << "': " << result.Error()
        << '\n';
  return result.Ok();
}

void WriteSummary(const Labyrinth& lab, int attempts, const std::string& output,
                  const std::string& grid, std::ostream& err) {
  err << "Attempts:   " << attempts << '\n'
      << "Grid:       " << lab.Width << " x " << lab.Height << '\n'
      << "Brushes:    " << lab.NumBlocks() << '\n'
      << "Entities:   " << lab.NumEntities() << '\n'
      << "Monsters:   " << lab.MonsterCount << '\n'
      << "Weapons:    " << lab.WeaponCount << '\n'
      << "Ammunition: " << lab.AmmoCount << '\n'
      << "Items:      " << lab.ItemCount << '\n'
      << "Output:     " << (output == kStdout ? "standard output" : output) << '\n';
  if (!grid.empty()) err << "Preview:    " << (grid == kStdout ? "standard output" : grid) << '\n';
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           int maxAttempts) {
  const Result<CliSettings> parsed = ParseArguments(args);
  if (!parsed) {
    err << kProgram << ": " << parsed.Error() << '\n';
    return 2;
  }
  const CliSettings& settings = *parsed;
  if (settings.Help) {
    out << UsageText();
    return 0;
  }
  if (settings.Version) {
    out << kProgram << ' ' << kVersion << '\n';
    return 0;
  }
  if (const Result<> valid = ValidateOptions(settings.Options); !valid) {
    err << kProgram << ": " << valid.Error() << '\n';
    return 2;
  }

  const std::uint32_t seed = settings.HasSeed ? settings.Seed : Random::TimeSeed();
  // Always shown, even with --quiet: with it any level can be made again.
  err << "Seed:       " << seed << '\n';

  Labyrinth lab(settings.Options, seed);
  const int attempts = lab.GenerateLevel(maxAttempts);
  if (attempts == 0) {
    err << Labyrinth::kRejectedMessage << '\n';
    return 1;
  }
  lab.GameDir = settings.GameDir;

  const std::string output = settings.Output.empty() ? DefaultOutputPath() : settings.Output;
  if (output == kStdout) {
    lab.Write(out);
    out.flush();
  } else if (!ReportWrite(lab.WriteMap(output), "level", output, err)) {
    return 1;
  }

  if (settings.Grid == kStdout) {
    out << lab.LayoutPreview();
    out.flush();
  } else if (!settings.Grid.empty() &&
             !ReportWrite(WriteFileAtomically(settings.Grid, lab.LayoutPreview()), "preview",
                          settings.Grid, err)) {
    return 1;
  }

  if (!settings.Quiet) WriteSummary(lab, attempts, output, settings.Grid, err);
  return 0;
}

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
  return RunCli(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), out, err);
}

}  // namespace cli
