#include "shell/Settings.h"

#include <cstdlib>
#include <system_error>

#include "map/GameDir.h"
#include "platform/SafeRead.h"
#include "platform/SafeWrite.h"
#include "shell/Names.h"
#include "shell/Paths.h"

namespace shell {

// The usual Steam install location; the tools have no standard place, so a
// folder in the home directory is suggested.
Settings Settings::Defaults() {
#ifdef _WIN32
  const char* profile = std::getenv("USERPROFILE");
  const char* programs = std::getenv("ProgramFiles(x86)");
  return {{std::string(profile ? profile : "C:") + "\\hlcompilers",
           std::string(programs ? programs : "C:\\Program Files (x86)") + "\\Steam\\steamapps\\common\\Half-Life"}};
#else
  const char* home = std::getenv("HOME");
  const std::string base = home ? home : "";
  return {{base + "/hlcompilers", base + "/.steam/steam/steamapps/common/Half-Life"}};
#endif
}

const std::string& Settings::Line(std::size_t index) const {
  static const std::string kEmpty;
  return index < Lines.size() ? Lines[index] : kEmpty;
}

void Settings::SetLine(std::size_t index, std::string text) {
  if (Lines.size() <= index) Lines.resize(index + 1);
  Lines[index] = std::move(text);
}

namespace {
// The line of name among the `name=value` lines; npos when there is none.
std::size_t ValueLine(const std::vector<std::string>& lines, const std::string& name) {
  for (std::size_t i = Settings::kGameLine + 1; i < lines.size(); ++i)
    if (lines[i].size() > name.size() && lines[i].compare(0, name.size(), name) == 0 && lines[i][name.size()] == '=')
      return i;
  return std::string::npos;
}
}  // namespace

std::string Settings::Value(const std::string& name) const {
  const std::size_t line = ValueLine(Lines, name);
  return line == std::string::npos ? std::string() : Lines[line].substr(name.size() + 1);
}

void Settings::SetValue(const std::string& name, const std::string& value) {
  const std::size_t line = ValueLine(Lines, name);
  if (line != std::string::npos) {
    Lines[line] = name + '=' + value;
    return;
  }
  if (Lines.size() <= kGameLine) Lines.resize(kGameLine + 1);
  Lines.push_back(name + '=' + value);
}

Settings Settings::Parse(std::string_view bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const std::string_view text =
      bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark ? bytes.substr(kByteOrderMark.size()) : bytes;
  Settings settings;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      settings.Lines.emplace_back(text.substr(start));  // a last line without an end
      break;
    }
    settings.Lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return settings;
}

std::string Settings::Format() const {
  std::string text;
  for (const std::string& line : Lines) text += line + "\r\n";
  return text;
}

std::string SettingsPath(const std::string& appDir) { return JoinPath(appDir, kSettingsFileName); }

Result<std::optional<Settings>> LoadSettings(const std::string& path) {
  const auto unusable = [&path](const std::string& reason) {
    return Failure{"Cannot read the settings file " + path + ": " + reason + "."};
  };
  const Result<std::optional<std::string>> bytes = platform::ReadFileSafely(path, kMaxSettingsBytes);
  if (!bytes) return unusable(bytes.Error());
  if (!*bytes) return std::optional<Settings>();
  if (const std::size_t nul = (*bytes)->find('\0'); nul != std::string::npos)
    return unusable("it holds a NUL byte (at byte " + std::to_string(nul) + "), so it is not a text file of folders");
  Settings settings = Settings::Parse(**bytes);
  if (const std::size_t size = settings.Format().size(); size > kMaxSettingsBytes)
    return unusable("with CR LF line ends it is " + std::to_string(size) + " bytes, more than the " +
                    std::to_string(kMaxSettingsBytes) + " a settings file may hold");
  return std::optional<Settings>(std::move(settings));
}

Result<> CheckSettingsLine(const std::string& line) {
  if (line.find('\n') != std::string::npos || line.find('\r') != std::string::npos)
    return Failure{"the folder's name contains a line break, which the settings file cannot hold"};
  if (line.find('\0') != std::string::npos)
    return Failure{"the folder's name contains a NUL byte, which the settings file cannot hold"};
  return {};
}

Result<> SaveSettings(const std::string& path, const Settings& settings) {
  for (const std::string& line : settings.Lines)
    if (const Result<> usable = CheckSettingsLine(line); !usable)
      return Failure{"Cannot save the settings to " + path + ": " + usable.Error() + "."};
  const std::string text = settings.Format();
  if (text.size() > kMaxSettingsBytes)
    return Failure{"Cannot save the settings to " + path + ": they would be " + std::to_string(text.size()) +
                   " bytes, more than the " + std::to_string(kMaxSettingsBytes) + " a settings file may hold."};
  const Result<> written = platform::WriteFileSafely(path, text);
  if (!written) return Failure{"Cannot save the settings to " + path + ": " + written.Error()};
  return {};
}

void ResolveFolders(Settings& settings, const std::string& path) {
  const std::filesystem::path folder = FileSystemPath(path).parent_path();
  for (const std::size_t index : {Settings::kToolLine, Settings::kGameLine}) {
    const std::filesystem::path dir = FileSystemPath(settings.Line(index));
    if (!dir.empty() && dir.is_relative()) settings.SetLine(index, PathString((folder / dir).lexically_normal()));
  }
}

Result<> FoldersReady(const Settings& settings) {
  if (!CheckGameDir(settings.GameDir())) return Failure{kOpenSetupForGame};
  return {};
}

StartSettings LoadStartSettings(const std::string& path, Settings defaults) {
  StartSettings start;
  start.Data = std::move(defaults);
  const Result<std::optional<Settings>> loaded = LoadSettings(path);
  if (!loaded) {
    start.SaveAtExit = false;
    start.Problem = loaded.Error() + " It is left as it is; the settings chosen now are not saved.";
    return start;
  }
  if (!*loaded) return start;  // a first start
  start.Data = **loaded;
  ResolveFolders(start.Data, path);
  if (const Result<> game = CheckGameDir(start.Data.GameDir()); !game)
    start.Problem = "The settings file " + path + " names a game folder a level cannot use: " + game.Error() + ".";
  start.Ready = FoldersReady(start.Data);
  return start;
}

}  // namespace shell
