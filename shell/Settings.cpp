#include "shell/Settings.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "map/GameDir.h"
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

Settings Settings::Parse(std::string_view bytes) {
  const std::string_view text = bytes.substr(0, bytes.find('\0'));
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
  namespace fs = std::filesystem;
  const fs::path file = FileSystemPath(path);
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (status.type() == fs::file_type::not_found) return std::optional<Settings>();
  if (error) return Failure{"Cannot read the settings file " + path + ": " + error.message()};
  // Checked before opening: a FIFO would block the open.
  if (status.type() != fs::file_type::regular)
    return Failure{"The settings file " + path + " is not a regular file."};
  const auto size = fs::file_size(file, error);
  if (error) return Failure{"Cannot read the settings file " + path + ": " + error.message()};
  if (size > kMaxSettingsBytes)
    return Failure{"The settings file " + path + " is too large to be settings (" + std::to_string(size) +
                   " bytes)."};
  std::ifstream in(file, std::ios::binary);
  if (!in) return Failure{"Cannot read the settings file " + path + "."};
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return Failure{"Cannot read the settings file " + path + "."};
  return std::optional<Settings>(Settings::Parse(bytes));
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
  const Result<> written = platform::WriteFileSafely(path, settings.Format());
  if (!written) return Failure{"Cannot save the settings to " + path + ": " + written.Error()};
  return {};
}

std::string SetupNeeded(const Settings& settings) {
  if (!CheckGameDir(settings.GameDir())) return kOpenSetupForGame;
  return {};
}

StartSettings LoadStartSettings(const std::string& path, Settings defaults) {
  StartSettings start{std::move(defaults), true, {}, kOpenSetup};
  const Result<std::optional<Settings>> loaded = LoadSettings(path);
  if (!loaded) {
    start.SaveAtExit = false;
    start.Problem = loaded.Error() + " It is left as it is; the settings chosen now are not saved.";
    return start;
  }
  if (!*loaded) return start;  // a first start
  start.Data = **loaded;
  const std::filesystem::path folder = FileSystemPath(path).parent_path();
  for (const std::size_t index : {Settings::kToolLine, Settings::kGameLine}) {
    const std::filesystem::path dir = FileSystemPath(start.Data.Line(index));
    if (!dir.empty() && dir.is_relative()) start.Data.SetLine(index, PathString((folder / dir).lexically_normal()));
  }
  if (const Result<> game = CheckGameDir(start.Data.GameDir()); !game)
    start.Problem = "The settings file " + path + " names a game folder a level cannot use: " + game.Error() + ".";
  start.SetupNeeded = SetupNeeded(start.Data);
  return start;
}

}  // namespace shell
