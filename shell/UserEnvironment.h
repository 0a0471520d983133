#pragma once
// The few environment values that say where a user's files and programs
// are. Passed as values, so that the functions reading them can be tried on
// made-up folder trees.

#include <string>
#include <vector>

namespace shell {

struct UserEnvironment {
  std::string Home;           // HOME
  std::string Path;           // PATH
  std::string XdgDataHome;    // XDG_DATA_HOME, often unset
  std::string XdgConfigHome;  // XDG_CONFIG_HOME, often unset

  static UserEnvironment FromProcess();

  // XDG_DATA_HOME, or HOME/.local/share when it is unset or not absolute
  // (the base directory rules say to ignore a relative one).
  std::string DataHome() const;
  // XDG_CONFIG_HOME, or HOME/.config likewise.
  std::string ConfigHome() const;
  // PATH's folders in order, empty entries left out.
  std::vector<std::string> PathFolders() const;
};

// The first folder of PATH that holds an executable file called name; empty
// when none does.
std::string FindOnPath(const UserEnvironment& env, const std::string& name);

}  // namespace shell
