#pragma once
// The few environment values that say where a user's files and programs
// are. Passed as values, so that the functions reading them can be tried on
// made-up folder trees.

#include <string>
#include <vector>

namespace shell {

struct UserEnvironment {
  std::string Home;           // HOME; on Windows the user's folder (USERPROFILE)
  std::string Path;           // PATH
  std::string XdgDataHome;    // XDG_DATA_HOME, often unset
  std::string XdgConfigHome;  // XDG_CONFIG_HOME, often unset
  // Windows only, empty elsewhere (platform::KnownFolderPath and the registry):
  std::string AppData = {};                    // %APPDATA%, settings that follow the user
  std::string LocalAppData = {};               // %LOCALAPPDATA%, the user's files on this computer
  std::string ProgramFolder = {};              // the running program's folder
  std::vector<std::string> ProgramFiles = {};  // Program Files, Program Files (x86)
  std::string SteamPath = {};                  // HKCU\Software\Valve\Steam SteamPath, '/' separated

  static UserEnvironment FromProcess();

  // XDG_DATA_HOME, or HOME/.local/share when it is unset or not absolute
  // (the base directory rules say to ignore a relative one).
  std::string DataHome() const;
  // XDG_CONFIG_HOME, or HOME/.config likewise.
  std::string ConfigHome() const;
  // PATH's folders in order (';' separated on Windows), empty entries left out.
  std::vector<std::string> PathFolders() const;
};

// The first folder of PATH that holds an executable file called name; empty
// when none does.
std::string FindOnPath(const UserEnvironment& env, const std::string& name);

}  // namespace shell
