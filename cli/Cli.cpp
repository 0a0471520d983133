#include "cli/Cli.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <mutex>
#include <sstream>

#include "cli/Options.h"
#include "map/GameDir.h"
#include "map/Random.h"
#include "platform/Platform.h"
#include "platform/SafeWrite.h"
#include "platform/StopSignals.h"
#include "shell/CompileSession.h"
#include "shell/GameLaunch.h"
#include "shell/LevelPicture.h"
#include "shell/Names.h"
#include "shell/OptionNames.h"
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

bool ReportWrite(const Result<>& result, const std::string& what, const std::string& path,
                 std::ostream& err) {
  if (!result)
    err << kProgram << ": cannot write the " << what << " to '" << path << "': " << result.Error()
        << '\n';
  return result.Ok();
}

// Standard output fails quietly (a full disk, a closed pipe): the stream
// only remembers it, so each text is flushed and checked at once.
bool WriteStandardOutput(const std::string& text, const std::string& what, std::ostream& out,
                         std::ostream& err) {
  errno = 0;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  if (out) return true;
  const int reason = errno;
  err << kProgram << ": cannot write the " << what
      << " to standard output: " << (reason ? std::strerror(reason) : "write failed") << '\n';
  return false;
}

// The path with links and "." and ".." resolved as far as it exists.
std::filesystem::path Resolved(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(shell::FileSystemPath(path), ec);
  std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal() : resolved;
}

// Also true for two names of one existing file (a hard link).
bool NameTheSameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return Resolved(a) == Resolved(b) ||
         std::filesystem::equivalent(shell::FileSystemPath(a), shell::FileSystemPath(b), ec);
}

std::string Shown(const std::string& path) { return path == kStdout ? "standard output" : path; }

void WriteSummary(const Labyrinth& lab, int attempts, const CliSettings& settings, const std::string& output,
                  std::ostream& err) {
  err << "Attempts:   " << attempts << '\n'
      << "Grid:       " << lab.Width << " x " << lab.Height << '\n'
      << "Brushes:    " << lab.NumBlocks() << '\n'
      << "Entities:   " << lab.NumEntities() << '\n'
      << "Monsters:   " << lab.MonsterCount << '\n'
      << "Weapons:    " << lab.WeaponCount << '\n'
      << "Ammunition: " << lab.AmmoCount << '\n'
      << "Items:      " << lab.ItemCount << '\n'
      << "Output:     " << Shown(output) << '\n';
  if (!settings.Grid.empty()) err << "Preview:    " << Shown(settings.Grid) << '\n';
  if (!settings.Preview.empty()) err << "Picture:    " << Shown(settings.Preview) << '\n';
}

// Writes text to path, or to out for "-"; nothing for an empty path.
bool WriteExtra(const std::string& text, const std::string& what, const std::string& path, std::ostream& out,
                std::ostream& err) {
  if (path.empty()) return true;
  if (path == kStdout) return WriteStandardOutput(text, what, out, err);
  return ReportWrite(platform::WriteFileSafely(path, text), what, path, err);
}

// The options that make a level: with --run alone none is made.
bool MakesALevel(const std::string& option) {
  for (const char* name : {"dimension", "complexity", "skill", "monsters", "friends", "game-type", "seed", "output",
                           "grid", "preview", "tools"})
    if (option == name) return true;
  return false;
}

// Why the compile and launch options cannot be used as given.
Result<> CheckCompileOptions(const CliSettings& settings) {
  if (settings.Run && !settings.Compile) {
    for (const std::string& option : settings.Given)
      if (MakesALevel(option))
        return Failure{"--run without --compile starts the level compiled before and makes none, so --" + option +
                       " has nothing to do: add --compile to make, compile and start a new level"};
  }
  if (settings.Compile && settings.Tools.empty())
    return Failure{"--compile needs --tools DIR, the compile tools folder"};
  if ((settings.Compile || settings.Run) && settings.GameDir.empty())
    return Failure{std::string(settings.Compile ? "--compile" : "--run") +
                   " needs --game-dir DIR, the game's main folder"};
  if (!settings.Compile) return {};
  const std::string output = settings.Output.empty() ? std::string(shell::kMapFileName) : settings.Output;
  if (output == kStdout || shell::FileSystemPath(output).filename() != shell::kMapFileName)
    return Failure{std::string("--compile compiles the level as the game loads it: --output must name a file ") +
                   shell::kMapFileName};
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
  // The tools run in process groups of their own, which the terminal's
  // Ctrl+C does not reach: a caught signal stops them here.
  bool stopping = false;
  while (outcome.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
    if (stopping || platform::StopSignal() == 0) continue;
    stopping = true;
    {
      std::lock_guard<std::mutex> lock(serial);
      err << '\n' << kProgram << ": signal " << platform::StopSignal() << ": stopping the compile tools" << std::endl;
    }
    session.Stop();
  }
  const shell::CompileOutcome result = outcome.get();
  if (!result.Ok) err << kProgram << ": " << result.StatusText << '\n';
  return result.Ok;
}

// Starts the game on the level in its maps folder, as "Run Half-Life" does.
bool RunGame(const std::string& gameDir, std::ostream& err) {
  if (shell::CheckLevelToRun(gameDir, false).How == shell::RunCheck::Kind::Refuse) {
    err << kProgram << ": there is no compiled level " << shell::GameLevelPath(gameDir)
        << " to start: make one with --compile\n";
    return false;
  }
  const Result<> started = shell::LaunchGame(gameDir);
  if (!started) err << kProgram << ": " << started.Error() << '\n';
  return started.Ok();
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           int maxAttempts) {
  const Result<CliSettings> parsed = ParseArguments(args);
  if (!parsed) {
    err << kProgram << ": " << parsed.Error() << '\n';
    return 2;
  }
  CliSettings settings = *parsed;
  // The tools and the game start in their own folders, and the level names
  // the game's wad file for tools that run elsewhere.
  settings.Tools = shell::AbsolutePath(settings.Tools);
  settings.GameDir = shell::AbsolutePath(settings.GameDir);
  if (settings.Help) return WriteStandardOutput(UsageText(), "help", out, err) ? 0 : 1;
  if (settings.Version) {
    const std::string version = std::string(kProgram) + ' ' + shell::kVersion + '\n';
    return WriteStandardOutput(version, "version", out, err) ? 0 : 1;
  }
  for (const Result<>& valid : {ValidateOptions(settings.Options), CheckCompileOptions(settings)}) {
    if (!valid) {
      err << kProgram << ": " << valid.Error() << '\n';
      return 2;
    }
  }
  if (const Result<> gameDir = CheckGameDir(settings.GameDir); !gameDir) {
    err << kProgram << ": bad value for --game-dir: " << gameDir.Error() << '\n';
    return 2;
  }
  if (settings.Run && !settings.Compile) return RunGame(settings.GameDir, err) ? 0 : 1;
  const std::string output = settings.Output.empty() ? DefaultOutputPath() : settings.Output;
  struct Extra {
    const char* Option;
    const char* What;
    const std::string& Path;
  };
  for (const Extra& extra : {Extra{"--grid", "preview", settings.Grid}, Extra{"--preview", "picture", settings.Preview}}) {
    if (output != kStdout && !extra.Path.empty() && extra.Path != kStdout && NameTheSameFile(output, extra.Path)) {
      err << kProgram << ": --output and " << extra.Option << " name the same file '" << extra.Path << "': the "
          << extra.What << " would replace the level\n";
      return 2;
    }
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

  if (output == kStdout) {
    std::ostringstream level;
    lab.Write(level);
    if (!WriteStandardOutput(level.str(), "level", out, err)) return 1;
  } else if (!ReportWrite(lab.WriteMap(output), "level", output, err)) {
    return 1;
  }

  if (!WriteExtra(lab.LayoutPreview(), "preview", settings.Grid, out, err)) return 1;
  if (!settings.Preview.empty()) {
    const std::string picture =
        shell::LevelPictureSvg(shell::MakeLevelPicture(lab.LayoutPreview(), shell::PlacedCharacters(lab)),
                               shell::LevelCaption(settings.Options, seed));
    if (!WriteExtra(picture, "picture", settings.Preview, out, err)) return 1;
  }

  if (!settings.Quiet) WriteSummary(lab, attempts, settings, output, err);

  if (settings.Compile && !CompileLevel(settings, output, err)) return 1;
  if (settings.Run && !RunGame(settings.GameDir, err)) return 1;
  return 0;
}

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
  return RunCli(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), out, err);
}

}  // namespace cli
