#include "shell/KeptLevels.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>

#include "platform/Platform.h"
#include "platform/SafeRead.h"
#include "platform/SafeWrite.h"
#include "shell/CompilePlan.h"
#include "shell/LevelOptions.h"
#include "shell/Names.h"
#include "shell/Paths.h"
#include "shell/Settings.h"

namespace shell {

namespace {

constexpr char kRecordSignature[] = "Quorvel level";
constexpr char kRecordExtension[] = ".level";
constexpr std::size_t kMaxRecordBytes = 16 * 1024;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string NowText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32];
  return std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) ? text : "";
}

std::string RecordPath(const std::string& dir, const std::string& name) {
  return JoinPath(dir, name + kRecordExtension);
}

// Anything at path, a dangling link too.
bool Taken(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(FileSystemPath(path), error));
}

std::string RecordText(const KeptLevel& level) {
  Settings record{{kRecordSignature, level.GameDir}};
  record.SetValue("seed", std::to_string(level.Seed));
  StoreOptions(level.Options, record);
  record.SetValue("made", level.Made);
  record.SetValue("compiled", level.Compiled ? "yes" : "no");
  return record.Format();
}

std::optional<KeptLevel> ReadRecord(const std::string& dir, const std::string& name) {
  const Result<std::optional<std::string>> bytes = platform::ReadFileSafely(RecordPath(dir, name), kMaxRecordBytes);
  if (!bytes || !*bytes) return std::nullopt;
  const Settings record = Settings::Parse(**bytes);
  const Result<std::uint32_t> seed = ParseSeed(record.Value("seed"));
  if (record.Line(0) != kRecordSignature || !seed) return std::nullopt;
  return KeptLevel{name, *seed, OptionsFromSettings(record), record.GameDir(), record.Value("made"),
                   record.Value("compiled") == "yes"};
}

Result<> WriteRecord(const std::string& dir, const KeptLevel& level) {
  const std::string path = RecordPath(dir, level.Name);
  if (const Result<> written = platform::WriteFileSafely(path, RecordText(level)); !written)
    return Failure{"Cannot write " + path + ": " + written.Error()};
  return {};
}

}  // namespace

std::string KeptLevel::GameLevelPath() const { return LevelTarget{Name, {}, {}, GameDir}.GameLevelPath(); }

std::string KeptLevelsDir(const std::string& levelDir) { return JoinPath(levelDir, "levels"); }

Result<> CheckLevelName(const std::string& name) {
  if (name.empty()) return Failure{"A level needs a name."};
  if (name.size() > kMaxLevelNameLength)
    return Failure{"A level's name has at most " + std::to_string(kMaxLevelNameLength) + " characters."};
  const bool usable = std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
  });
  if (!usable) return Failure{"A level's name is made of letters (a-z), digits, '_' and '-' only: \"" + name + "\" is not."};
  const std::string lower = Lower(name);
  const bool device = lower == "con" || lower == "prn" || lower == "aux" || lower == "nul" ||
                      (lower.size() == 4 && (lower.compare(0, 3, "com") == 0 || lower.compare(0, 3, "lpt") == 0) &&
                       lower[3] >= '1' && lower[3] <= '9');
  if (device) return Failure{"\"" + name + "\" is the name of a device on Windows: choose another name."};
  if (lower == kLevelName)
    return Failure{"\"" + name + "\" is the name of the level \"Generate .map\" writes: choose another name."};
  return {};
}

std::string OfferedName(std::uint32_t seed) { return "quorvel_" + std::to_string(seed); }

std::vector<KeptLevel> ListKeptLevels(const std::string& dir) {
  std::vector<KeptLevel> levels;
  std::error_code error;
  for (std::filesystem::directory_iterator it(FileSystemPath(dir), error), end; !error && it != end;
       it.increment(error)) {
    const std::filesystem::path file = it->path().filename();
    if (PathString(file.extension()) != kRecordExtension) continue;
    const std::string name = PathString(file.stem());
    if (!CheckLevelName(name)) continue;
    if (std::optional<KeptLevel> level = ReadRecord(dir, name)) levels.push_back(std::move(*level));
  }
  std::sort(levels.begin(), levels.end(), [](const KeptLevel& a, const KeptLevel& b) {
    return std::make_pair(Lower(a.Name), a.Name) < std::make_pair(Lower(b.Name), b.Name);
  });
  return levels;
}

std::optional<KeptLevel> FindKeptLevel(const std::string& dir, const std::string& name) {
  for (KeptLevel& level : ListKeptLevels(dir))
    if (platform::SamePathName(FileSystemPath(level.Name), FileSystemPath(name))) return std::move(level);
  return std::nullopt;
}

Result<KeptLevel> KeepLevel(const std::string& dir, const std::string& name, const GeneratedLevel& level) {
  if (const Result<> usable = CheckLevelName(name); !usable) return Failure{usable.Error()};
  if (const std::optional<KeptLevel> kept = FindKeptLevel(dir, name))
    return Failure{"There is already a kept level " + kept->Name + ": delete it first, or choose another name."};
  KeptLevel kept{name, level.Seed, level.Options, level.GameDir, NowText(), false};
  const std::string map = JoinPath(dir, name + ".map");
  if (Taken(map) || Taken(RecordPath(dir, name)))
    return Failure{map + " (or its record) is there and was not kept by Quorvel, so it is left alone: choose another name."};
  if (const Result<> compilable = CheckCompileKept(kept); !compilable && !level.GameDir.empty())
    return Failure{compilable.Error()};
  std::error_code error;
  std::filesystem::create_directories(FileSystemPath(dir), error);
  if (error) return Failure{"Cannot make the levels folder " + dir + ": " + error.message()};
  if (const Result<> written = platform::WriteFileSafely(map, level.MapText); !written)
    return Failure{"Cannot write " + map + ": " + written.Error()};
  if (const Result<> recorded = WriteRecord(dir, kept); !recorded) {
    (void)RemoveFile(map);  // without its record it would be taken for someone else's
    return Failure{recorded.Error()};
  }
  return kept;
}

LevelTarget KeptTarget(const std::string& dir, const KeptLevel& level, const std::string& toolDir,
                       CompileQuality quality) {
  return LevelTarget{level.Name, dir, toolDir, level.GameDir, quality};
}

Result<> CheckCompileKept(const KeptLevel& level) {
  if (level.GameDir.empty())
    return Failure{"The level " + level.Name + " was made without a game folder, so it names no textures: make it "
                   "again with the game folder set."};
  const std::string bsp = level.GameLevelPath();
  if (!level.Compiled && Taken(bsp))
    return Failure{bsp + " is there and was not compiled by Quorvel, so it is not replaced: delete or rename it, or "
                   "keep the level under another name."};
  return {};
}

Result<> MarkCompiled(const std::string& dir, KeptLevel level) {
  level.Compiled = true;
  return WriteRecord(dir, level);
}

std::vector<std::string> KeptLevelFiles(const std::string& dir, const KeptLevel& level) {
  std::vector<std::string> files;
  if (level.Compiled) files.push_back(level.GameLevelPath());
  const std::string base = JoinPath(dir, level.Name);
  for (const char* extension : {".map", ".log", ".bsp"}) files.push_back(base + extension);
  for (const std::string& extension : ToolLeftoverExtensions()) files.push_back(base + extension);
  files.push_back(RecordPath(dir, level.Name));
  return files;
}

Result<> DeleteKeptLevel(const std::string& dir, const KeptLevel& level) {
  std::string kept;
  for (const std::string& file : KeptLevelFiles(dir, level)) {
    const bool record = file == RecordPath(dir, level.Name);
    if (record && !kept.empty()) break;  // kept, so that a second try removes the rest
    if (IsDirectory(file)) continue;     // not the tools'
    if (const Result<> removed = RemoveFile(file); !removed) kept += "\n" + file + ": " + removed.Error();
  }
  if (!kept.empty()) return Failure{"Not everything of the level " + level.Name + " could be deleted:" + kept};
  return {};
}

}  // namespace shell
