#pragma once
// What the program keeps between starts, as lines in quorvel.ini: line 0 the
// compile tools folder, line 1 the game's main folder (as every earlier
// version wrote the file), then `name=value` lines for the rest (the six
// options, ...), read by name. Lines are bytes, kept as they are (a folder
// name need not be valid UTF-8); lines the program does not know are written
// back unchanged.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"

namespace shell {

struct Settings {
  static constexpr std::size_t kToolLine = 0;
  static constexpr std::size_t kGameLine = 1;

  std::vector<std::string> Lines;

  // Compile tools and game folder suggested for this system: a folder in the
  // user's own, and Steam's usual place for the game.
  static Settings Defaults();

  // A line the file does not have reads as empty.
  const std::string& Line(std::size_t index) const;
  // Stores one line, adding empty lines up to it when there are fewer.
  void SetLine(std::size_t index, std::string text);

  // A `name=value` line's value after the folders; empty when there is none.
  std::string Value(const std::string& name) const;
  // Replaces that line, or adds it at the end.
  void SetValue(const std::string& name, const std::string& value);

  const std::string& ToolDir() const { return Line(kToolLine); }
  const std::string& GameDir() const { return Line(kGameLine); }

  // A line ends at CR, LF or CR LF; a last line without an end counts; a
  // UTF-8 byte order mark at the start (Notepad's "UTF-8 with BOM") is not
  // part of the first line.
  static Settings Parse(std::string_view bytes);
  // Every line followed by CR LF.
  std::string Format() const;
};

// AppDir/quorvel.ini
std::string SettingsPath(const std::string& appDir);

// The settings in the file; nullopt when there is no such file. A file that
// is there but cannot be read as settings is a Failure naming it and the
// reason: not a regular file, unreadable, a link or file planted by another
// user (platform/SafeRead.h), a NUL byte (not a text file), or more than
// kMaxSettingsBytes as SaveSettings would write it (CR LF line ends, no byte
// order mark), so that every file read can be saved and read again.
inline constexpr std::size_t kMaxSettingsBytes = 64 * 1024;
Result<std::optional<Settings>> LoadSettings(const std::string& path);

// The folder lines made whole: a relative one is taken as relative to the
// folder of the settings file at path (the commands start in other folders).
void ResolveFolders(Settings& settings, const std::string& path);

// A line of the file cannot hold a line break (it would split into two
// lines on the next start) nor a NUL byte (it would end the text). Fails
// naming the character.
Result<> CheckSettingsLine(const std::string& line);

// Writes through a temporary file, so a failed save keeps the old file. A
// line that fails CheckSettingsLine, or more than kMaxSettingsBytes in all,
// fails the save; nothing is written.
Result<> SaveSettings(const std::string& path, const Settings& settings);

// Whether the commands can run with these folders: fails with
// kOpenSetupForGame for a game folder a level cannot name (CheckGameDir
// says why).
Result<> FoldersReady(const Settings& settings);

inline constexpr char kOpenSetup[] = "Open Setup to choose the compile tools and game folders.";
inline constexpr char kOpenSetupForGame[] = "Open Setup to choose another game folder: a level cannot name this one.";

// What a window starts with.
struct StartSettings {
  Settings Data;            // the file's lines, or the defaults without a usable file
  bool SaveAtExit = true;   // false when a file is there but could not be read: it stays the user's
  std::string Problem;      // what is wrong with the file, for a message at start; empty when nothing is
  Result<> Ready = Failure{kOpenSetup};  // fails saying why the commands wait for Setup
};

// Reads the settings file at path. Relative folders in it are taken as
// relative to the file's own folder and made absolute, as the commands
// start in other folders.
StartSettings LoadStartSettings(const std::string& path, Settings defaults);

}  // namespace shell
