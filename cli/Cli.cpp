#include "cli/Cli.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <sstream>

#include "cli/Options.h"
#include "map/GameDir.h"
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

bool ReportWrite(const WriteResult& result, const std::string& what, const std::string& path,
                 std::ostream& err) {
  if (!result.Ok)
    err << kProgram << ": cannot write the " << what << " to '" << path << "': " << result.Error
        << '\n';
  return result.Ok;
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
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal() : resolved;
}

// Also true for two names of one existing file (a hard link).
bool NameTheSameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return Resolved(a) == Resolved(b) || std::filesystem::equivalent(a, b, ec);
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

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        int maxAttempts) {
  const ParseResult parsed = ParseArguments(args);
  if (!parsed.Ok) {
    err << kProgram << ": " << parsed.Error << '\n';
    return 2;
  }
  const CliSettings& settings = parsed.Settings;
  if (settings.Help) return WriteStandardOutput(UsageText(), "help", out, err) ? 0 : 1;
  if (settings.Version) {
    const std::string version = std::string(kProgram) + ' ' + kVersion + '\n';
    return WriteStandardOutput(version, "version", out, err) ? 0 : 1;
  }
  const std::string invalid = ValidateOptions(settings.Options);
  if (!invalid.empty()) {
    err << kProgram << ": " << invalid << '\n';
    return 2;
  }
  if (const Result<> gameDir = CheckGameDir(settings.GameDir); !gameDir) {
    err << kProgram << ": bad value for --game-dir: " << gameDir.Error() << '\n';
    return 2;
  }
  const std::string output = settings.Output.empty() ? DefaultOutputPath() : settings.Output;
  if (output != kStdout && !settings.Grid.empty() && settings.Grid != kStdout &&
      NameTheSameFile(output, settings.Grid)) {
    err << kProgram << ": --output and --grid name the same file '" << settings.Grid
        << "': the preview would replace the level\n";
    return 2;
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

  if (output == kStdout) {
    std::ostringstream level;
    lab.Write(level);
    if (!WriteStandardOutput(level.str(), "level", out, err)) return 1;
  } else if (!ReportWrite(lab.WriteMap(output), "level", output, err)) {
    return 1;
  }

  if (settings.Grid == kStdout) {
    if (!WriteStandardOutput(lab.LayoutPreview(), "preview", out, err)) return 1;
  } else if (!settings.Grid.empty() &&
             !ReportWrite(WriteFileAtomically(settings.Grid, lab.LayoutPreview()), "preview",
                          settings.Grid, err)) {
    return 1;
  }

  if (!settings.Quiet) WriteSummary(lab, attempts, output, settings.Grid, err);
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
