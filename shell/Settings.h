#pragma once
// The two folders the commands need, kept as lines in quorvel.ini beside the
// map: line 0 the compile tools, line 1 the game's main folder. Lines are
// bytes, kept as they are (a folder name need not be valid UTF-8); further
// lines a loaded file holds are written back unchanged.

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

  const std::string& ToolDir() const { return Line(kToolLine); }
  const std::string& GameDir() const { return Line(kGameLine); }

  // A line ends at CR, LF or CR LF; a last line without an end counts; a NUL
  // byte ends the text.
  static Settings Parse(std::string_view bytes);
  // Every line followed by CR LF.
  std::string Format() const;
};

// AppDir/quorvel.ini
std::string SettingsPath(const std::string& appDir);

// The settings in the file; nullopt when there is no such file. A file that
// is there but cannot be read as settings (not a regular file, unreadable,
// larger than kMaxSettingsBytes) is a Failure naming it and the reason; it is
// never opened in a way that could block.
inline constexpr std::size_t kMaxSettingsBytes = 64 * 1024;
Result<std::optional<Settings>> LoadSettings(const std::string& path);

// A line of the file cannot hold a line break (it would split into two
// lines on the next start) nor a NUL byte (it would end the text). Fails
// naming the character.
Result<> CheckSettingsLine(const std::string& line);

// Writes through a temporary file, so a failed save keeps the old file. A
// line that fails CheckSettingsLine fails the save; nothing is written.
Result<> SaveSettings(const std::string& path, const Settings& settings);

// Why the commands cannot run with these folders: kOpenSetupForGame for a
// game folder a level cannot name (CheckGameDir says why); empty when they
// can.
std::string SetupNeeded(const Settings& settings);

inline constexpr char kOpenSetup[] = "Open Setup to choose the compile tools and game folders.";
inline constexpr char kOpenSetupForGame[] = "Open Setup to choose another game folder: a level cannot name this one.";

// What a window starts with.
struct StartSettings {
  Settings Data;            // the file's lines, or the defaults without a usable file
  bool SaveAtExit = true;   // false when a file is there but could not be read: it stays the user's
  std::string Problem;      // what is wrong with the file, for a message at start; empty when nothing is
  std::string SetupNeeded;  // why the commands wait for Setup (kOpenSetup on a first start); empty when they can run
};

// Reads the settings file at path. Relative folders in it are taken as
// relative to the file's own folder and made absolute, as the commands
// start in other folders.
StartSettings LoadStartSettings(const std::string& path, Settings defaults);

}  // namespace shell
