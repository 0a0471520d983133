#include "cli/Cli.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <iterator>
#include <mutex>

#include "cli/Options.h"
#include "map/GameDir.h"
#include "map/Random.h"
#include "platform/Platform.h"
#include "platform/SafeWrite.h"
#include "platform/StopSignals.h"
#include "shell/CompileSession.h"
#include "shell/GameLaunch.h"
#include "shell/GenerateMap.h"
#include "shell/KeptLevels.h"
#include "shell/LevelOptions.h"
#include "shell/LevelPicture.h"
#include "shell/Names.h"
#include "shell/Paths.h"
#include "shell/StartFolder.h"
#include "shell/Version.h"

namespace cli {

namespace {

constexpr const char* kProgram = "quorvel-cli";
constexpr const char* kStdout = "-";

std::string DefaultOutputPath() {
  const std::string dir = platform::CurrentDirectory();
  // An unreadable current directory would make "/quorvel.map"; the bare
  // name still lands in the current directory.
  const std::string name = shell::LevelTarget{}.Name + ".map";
  return dir.empty() ? name : shell::JoinPath(dir, name);
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

// Also true for two names of one existing file (a hard link), and on
// Windows for names that differ in case only.
bool NameTheSameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return platform::SamePathName(Resolved(a), Resolved(b)) ||
         std::filesystem::equivalent(shell::FileSystemPath(a), shell::FileSystemPath(b), ec);
}

// Why two of the files asked for would undo each other: a file is
// replaced whole, so the later one would take the earlier one's place. A
// device, FIFO or standard output is written through: both arrive.
Result<> CheckDistinctFiles(const std::string& output, const CliSettings& settings) {
  struct Named {
    const char* Option;
    const char* What;
    const std::string& Path;
  };
  const Named files[] = {{"--output", "level", output},
                         {"--grid", "preview", settings.Grid},
                         {"--preview", "picture", settings.Preview}};
  for (std::size_t later = 1; later < std::size(files); ++later) {
    for (std::size_t earlier = 0; earlier < later; ++earlier) {
      const Named& a = files[earlier];
      const Named& b = files[later];
      if (a.Path.empty() || b.Path.empty() || a.Path == kStdout || b.Path == kStdout) continue;
      if (!NameTheSameFile(a.Path, b.Path)) continue;
      if (platform::IsWrittenThrough(a.Path) && platform::IsWrittenThrough(b.Path)) continue;
      return Failure{std::string(a.Option) + " and " + b.Option + " name the same file '" + b.Path + "': the " +
                     b.What + " would replace the " + a.What};
    }
  }
  return {};
}

std::string Shown(const std::string& path) { return path == kStdout ? "standard output" : path; }

// "Name:" padded to the values' column, as the seed's line is.
void SummaryLine(const std::string& name, const std::string& value, std::ostream& err) {
  const std::string label = name + ':';
  err << label << std::string(label.size() < 15 ? 15 - label.size() : 1, ' ') << value << '\n';
}

void WriteSummary(const shell::GeneratedLevel& level, const CliSettings& settings, const std::string& output,
                  std::ostream& err) {
  for (const auto& [name, value] : shell::CountRows(level)) SummaryLine(name, value, err);
  SummaryLine("Output", Shown(output), err);
  if (!settings.Grid.empty()) SummaryLine("Preview", Shown(settings.Grid), err);
  if (!settings.Preview.empty()) SummaryLine("Picture", Shown(settings.Preview), err);
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
                           "grid", "preview", "tools", "count", "quality"})
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
    return Failure{"--compile needs --tools DIR, the compile tools folder (or a project folder's settings)"};
  if ((settings.Compile || settings.Run) && settings.GameDir.empty())
    return Failure{std::string(settings.Compile ? "--compile" : "--run") +
                   " needs --game-dir DIR, the game's main folder (or a project folder's settings)"};
  if (!settings.Compile) return {};
  std::error_code error;
  const auto tools = std::filesystem::status(shell::FileSystemPath(settings.Tools), error).type();
  if (tools != std::filesystem::file_type::not_found && tools != std::filesystem::file_type::directory && !error)
    return Failure{"bad value for --tools: " + settings.Tools + " is a file, not a folder"};
  if (!settings.Name.empty()) return {};
  const std::string name = shell::LevelTarget{}.Name + ".map";
  const std::string output = settings.Output.empty() ? name : settings.Output;
  if (output == kStdout || shell::PathString(shell::FileSystemPath(output).filename()) != name)
    return Failure{"--compile compiles the level as the game loads it: --output must name a file " + name};
  return {};
}

// Why --name and --count cannot be used as given.
Result<> CheckNameOptions(const CliSettings& settings) {
  if (settings.Count > 0 && settings.Name.empty())
    return Failure{"--count needs --name PREFIX: the levels are kept as PREFIX_SEED"};
  if (settings.Name.empty()) return {};
  if (!settings.Output.empty())
    return Failure{"--output cannot be used with --name: the name decides the file, NAME.map in the levels folder"};
  if (settings.Count > 0) {
    for (const std::string& option : settings.Given)
      if (option == "grid" || option == "preview" || option == "run")
        return Failure{"--" + option + " cannot be used with --count: it is for one level"};
    if (!shell::CheckLevelName(settings.Name + "_4294967295"))
      return Failure{"bad value '" + settings.Name + "' for --name: with --count the names are PREFIX_SEED, so "
                     "PREFIX has at most " + std::to_string(shell::kMaxLevelNameLength - 11) + " characters"};
  }
  if (const Result<> name = shell::CheckLevelName(settings.Name); !name)
    return Failure{"bad value '" + settings.Name + "' for --name: " + name.Error()};
  return {};
}

// The project's settings (shell/StartFolder.h) give what the command line
// does not: the folders and the quality. A file that cannot be used is
// reported and left out.
shell::StartFolders TakeProjectSettings(CliSettings& settings, std::ostream& err) {
  const std::string here = platform::CurrentDirectory();
  if (here.empty()) return {};
  const shell::StartFolders project = shell::ChooseStartFolders(here, shell::UserEnvironment::FromProcess(), false);
  const Result<std::optional<shell::Settings>> loaded = shell::LoadSettings(project.SettingsPath);
  if (!loaded) err << kProgram << ": warning: " << loaded.Error() << " Its settings are not used.\n";
  if (!loaded || !*loaded) return project;
  shell::Settings file = **loaded;
  shell::ResolveFolders(file, project.SettingsPath);
  if (settings.Tools.empty()) settings.Tools = file.ToolDir();
  if (settings.GameDir.empty()) {
    if (const Result<> game = CheckGameDir(file.GameDir())) settings.GameDir = file.GameDir();
    else err << kProgram << ": warning: the game folder in " << project.SettingsPath << " is not used: " << game.Error() << '\n';
  }
  if (const Result<shell::CompileQuality> quality = shell::ParseQuality(file.Value("quality")); quality && !settings.Quality)
    settings.Quality = *quality;
  return project;
}

// The level the command line compiles and starts: the map it wrote (or the
// default one), the folders it was given.
shell::LevelTarget TargetOf(const CliSettings& settings, const std::string& mapPath) {
  const std::filesystem::path map = shell::FileSystemPath(shell::AbsolutePath(mapPath));
  return {shell::PathString(map.stem()), shell::PathString(map.parent_path()), settings.Tools, settings.GameDir,
          settings.Quality.value_or(shell::CompileQuality::Normal)};
}

// Compiles the target's map with the window's compile session, the tools'
// output on err as it comes. True when the level reached the maps folder.
bool CompileLevel(const shell::LevelTarget& target, std::ostream& err) {
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
  (void)session.Start(target);
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
bool RunGame(const shell::LevelTarget& target, std::ostream& err) {
  if (!shell::CheckLevelToRun(target, false)) {
    err << kProgram << ": there is no compiled level " << target.GameLevelPath()
        << " to start: make one with --compile\n";
    return false;
  }
  const Result<> started = shell::LaunchGame(target);
  if (!started) err << kProgram << ": " << started.Error() << '\n';
  return started.Ok();
}

// What became of one level.
enum class Made { Done, Rejected, Failed };

// Makes the level of one seed: written to output, or kept as name in the
// levels folder; its grid, picture and summary; compiled when asked.
// skipRejected: a seed that gives no level is said to be skipped.
Made MakeLevel(const CliSettings& settings, const shell::LevelTarget& target, const std::string& output,
               std::uint32_t seed, bool skipRejected, int maxAttempts, std::ostream& out, std::ostream& err) {
  shell::GenerateRequest request;
  request.Options = settings.Options;
  request.Seed = seed;
  request.SeedChosen = settings.HasSeed;
  request.GameDir = settings.GameDir;
  request.MaxAttempts = maxAttempts;
  // Always shown, even with --quiet: with it any level can be made again.
  SummaryLine("Seed", std::to_string(request.Seed), err);
  const Result<shell::GeneratedLevel> level = shell::GenerateLevel(request);
  if (!level) {
    if (skipRejected) err << "Seed " << seed << " gives no usable level with these options: skipped\n";
    else err << level.Error() << '\n';
    return Made::Rejected;
  }
  std::optional<shell::KeptLevel> kept;
  if (settings.Name.empty()) {
    if (!WriteExtra(level->MapText, "level", output, out, err)) return Made::Failed;
  } else {
    Result<shell::KeptLevel> keeping = shell::KeepLevel(target.LevelDir, target.Name, *level);
    if (!keeping) {
      err << kProgram << ": cannot keep the level as " << target.Name << ": " << keeping.Error() << '\n';
      return Made::Failed;
    }
    kept = std::move(*keeping);
  }
  if (!WriteExtra(level->Layout, "preview", settings.Grid, out, err)) return Made::Failed;
  if (!settings.Preview.empty()) {
    const std::string picture = shell::LevelPictureSvg(shell::MakeLevelPicture(level->Layout, level->Characters),
                                                       shell::LevelCaption(settings.Options, request.Seed));
    if (!WriteExtra(picture, "picture", settings.Preview, out, err)) return Made::Failed;
  }
  if (!settings.Quiet) WriteSummary(*level, settings, output, err);
  if (!settings.Compile) return Made::Done;
  if (!CompileLevel(target, err)) return Made::Failed;
  if (kept) {
    if (const Result<> marked = shell::MarkCompiled(target.LevelDir, *kept); !marked) {
      err << kProgram << ": " << marked.Error() << '\n';
      return Made::Failed;
    }
  }
  return Made::Done;
}

// --count N: N levels from consecutive seeds, kept as PREFIX_SEED. A seed
// that gives no level is skipped; at most ten seeds a level are tried.
int MakeLevels(const CliSettings& settings, const std::string& levels, int maxAttempts, std::ostream& out,
               std::ostream& err) {
  const std::uint64_t first = settings.HasSeed ? settings.Seed : Random::TimeSeed();
  const std::uint64_t end = std::min<std::uint64_t>(first + 10ull * settings.Count, 0x100000000ull);
  unsigned made = 0, failed = 0;
  std::uint64_t seed = first;
  for (; made + failed < settings.Count && seed < end && platform::StopSignal() == 0; ++seed) {
    CliSettings one = settings;
    one.Name = settings.Name + '_' + std::to_string(seed);
    const shell::LevelTarget target{one.Name, levels, settings.Tools, settings.GameDir,
                                    settings.Quality.value_or(shell::CompileQuality::Normal)};
    const Made result = MakeLevel(one, target, target.MapPath(), static_cast<std::uint32_t>(seed), true,
                                  maxAttempts, out, err);
    made += result == Made::Done;
    failed += result == Made::Failed;
  }
  if (made == settings.Count) return 0;
  err << kProgram << ": " << made << " of " << settings.Count << " levels made";
  if (made + failed < settings.Count && platform::StopSignal() == 0)
    err << "; gave up after " << seed - first << " seeds (" << first << " to " << seed - 1 << ")";
  err << '\n';
  return 1;
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
  if (settings.Help) return WriteStandardOutput(UsageText(), "help", out, err) ? 0 : 1;
  if (settings.Version) {
    const std::string version = std::string(kProgram) + ' ' + shell::kVersion + '\n';
    return WriteStandardOutput(version, "version", out, err) ? 0 : 1;
  }
  const shell::StartFolders project = TakeProjectSettings(settings, err);
  // The tools and the game start in their own folders, and the level names
  // the game's wad file for tools that run elsewhere.
  settings.Tools = shell::AbsolutePath(settings.Tools);
  settings.GameDir = shell::AbsolutePath(settings.GameDir);
  for (const Result<>& valid :
       {ValidateOptions(settings.Options), CheckNameOptions(settings), CheckCompileOptions(settings)}) {
    if (!valid) {
      err << kProgram << ": " << valid.Error() << '\n';
      return 2;
    }
  }
  if (const Result<> gameDir = CheckGameDir(settings.GameDir); !gameDir) {
    err << kProgram << ": bad value for --game-dir: " << gameDir.Error() << '\n';
    return 2;
  }
  if (!settings.Name.empty() && project.AppDir.empty()) {
    err << kProgram << ": the current folder cannot be read, so there is no levels folder for --name\n";
    return 1;
  }
  const std::string levels = shell::KeptLevelsDir(project.AppDir);
  const std::string output = !settings.Name.empty()  ? shell::JoinPath(levels, settings.Name + ".map")
                             : settings.Output.empty() ? DefaultOutputPath()
                                                       : settings.Output;
  const shell::LevelTarget target = TargetOf(settings, output);
  if (settings.Run && !settings.Compile) return RunGame(target, err) ? 0 : 1;
  if (const Result<> distinct = CheckDistinctFiles(output, settings); !distinct) {
    err << kProgram << ": " << distinct.Error() << '\n';
    return 2;
  }
  if (settings.Count > 0) return MakeLevels(settings, levels, maxAttempts, out, err);
  const std::uint32_t seed = settings.HasSeed ? settings.Seed : Random::TimeSeed();
  if (MakeLevel(settings, target, output, seed, false, maxAttempts, out, err) != Made::Done) return 1;
  if (settings.Run && !RunGame(target, err)) return 1;
  return 0;
}

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
  return RunCli(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), out, err);
}

}  // namespace cli
