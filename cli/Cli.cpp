#include "cli/Cli.h"

#include <exception>
#include <filesystem>
#include <future>
#include <mutex>

#include "cli/Options.h"
#include "map/HLMap.h"
#include "map/Random.h"
#include "platform/Platform.h"
#include "shell/CompileSession.h"
#include "shell/GameLaunch.h"
#include "shell/Names.h"
#include "shell/Paths.h"
#include "shell/Version.h"

namespace cli {

namespace {

constexpr const char* kProgram = "quorvel-cli";
constexpr const char* kStdout = "-";

std::string DefaultOutputPath() {
  const std::string dir = platform::CurrentDirectory();
  // An unreadable current directory would make "/quorvel.map"; the bare
  // name still lands in the current directory.
  return dir.empty() ? std::string(shell::kMapFileName) : shell::JoinPath(dir, shell::kMapFileName);
}

bool ReportWrite(const WriteResult& result, const std::string& what, const std::string& path,
                 std::ostream& err) {
  if (!result.Ok)
    err << kProgram << ": cannot write the " << what << " to '" << path << "': " << result.Error
        << '\n';
  return result.Ok;
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

// Empty, or why the compile and launch options cannot be used as given.
std::string CheckCompileOptions(const CliSettings& settings) {
  if (settings.Compile && settings.Tools.empty()) return "--compile needs --tools DIR, the compile tools folder";
  if ((settings.Compile || settings.Run) && settings.GameDir.empty())
    return std::string(settings.Compile ? "--compile" : "--run") + " needs --game-dir DIR, the game's main folder";
  if (!settings.Compile) return {};
  const std::string output = settings.Output.empty() ? std::string(shell::kMapFileName) : settings.Output;
  if (output == kStdout || shell::FileSystemPath(output).filename() != shell::kMapFileName)
    return std::string("--compile compiles the level as the game loads it: --output must name a file ") +
           shell::kMapFileName;
  return {};
}

// Compiles AppDir/quorvel.map with the window's compile session, the tools'
// output on err as it comes. True when the level reached the maps folder.
bool CompileLevel(const CliSettings& settings, const std::string& mapPath, std::ostream& err) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(shell::FileSystemPath(mapPath), error);
  const std::string appDir =
      shell::PathString((error ? shell::FileSystemPath(mapPath) : absolute).parent_path());

  std::mutex serial;  // output comes from the reader and the worker threads
  std::promise<shell::CompileOutcome> finished;
  shell::CompileSession::Callbacks calls;
  calls.Output = [&err](const std::string& text) { err << text << std::flush; };
  calls.Finished = [&finished](const shell::CompileOutcome& outcome) { finished.set_value(outcome); };
  shell::CompileSession session(
      [&serial](std::function<void()> call) {
        std::lock_guard<std::mutex> lock(serial);
        call();
      },
      std::move(calls));
  std::future<shell::CompileOutcome> outcome = finished.get_future();
  (void)session.Start(shell::CompileDirs{appDir, settings.Tools, settings.GameDir});
  const shell::CompileOutcome result = outcome.get();
  if (!result.Ok) err << kProgram << ": " << result.StatusText << '\n';
  return result.Ok;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        int maxAttempts) {
  const ParseResult parsed = ParseArguments(args);
  if (!parsed.Ok) {
    err << kProgram << ": " << parsed.Error << '\n';
    return 2;
  }
  const CliSettings& settings = parsed.Settings;
  if (settings.Help) {
    out << UsageText();
    return 0;
  }
  if (settings.Version) {
    out << kProgram << ' ' << shell::kVersion << '\n';
    return 0;
  }
  for (const std::string& invalid : {ValidateOptions(settings.Options), CheckCompileOptions(settings)}) {
    if (!invalid.empty()) {
      err << kProgram << ": " << invalid << '\n';
      return 2;
    }
  }

  const std::uint32_t seed = settings.HasSeed ? settings.Seed : Random::TimeSeed();
  // Always shown, even with --quiet: with it any level can be made again.
  err << "Seed:       " << seed << '\n';

  Labyrinth lab(settings.Options, seed);
  const int attempts = lab.GenerateLevel(maxAttempts);
  if (attempts == 0) {
    err << "Error generating labyrinth: try again\n";
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

  if (settings.Compile && !CompileLevel(settings, output, err)) return 1;
  if (settings.Run) {
    const Result<> started = shell::LaunchGame(settings.GameDir);
    if (!started) {
      err << kProgram << ": " << started.Error() << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           int maxAttempts) {
  try {
    return Run(args, out, err, maxAttempts);
  } catch (const std::exception& e) {
    err << kProgram << ": " << e.what() << '\n';
    return 1;
  }
}

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
  return RunCli(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), out, err);
}

}  // namespace cli
