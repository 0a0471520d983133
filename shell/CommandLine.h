#pragma once
// A command line as text the user can paste into a shell: each argument
// quoted so that the shell hands the program exactly its bytes.

#include <string>
#include <vector>

namespace shell {

enum class ShellRules {
  // sh, bash, zsh: a word with a byte that is not UTF-8 or a control
  // character is written $'...' with \xHH for it (bash, zsh, ksh and POSIX
  // shells from the 2024 standard take it); other words that need quoting
  // '...'.
  Posix,
  // cmd.exe, then the program's CommandLineToArgvW: "..." with backslashes
  // doubled before a quote; '%' and '"' are written outside the quotes as ^%
  // and \^" so that cmd neither expands nor ends the word there.
  Windows,
};

#ifdef _WIN32
inline constexpr ShellRules kSystemShell = ShellRules::Windows;
#else
inline constexpr ShellRules kSystemShell = ShellRules::Posix;
#endif

// One argument; a word with nothing special (letters, digits, - _ . / : = +
// , @, and \ on Windows, % elsewhere) stays as it is.
std::string QuotedArgument(const std::string& argument, ShellRules rules = kSystemShell);

// program and its arguments, each quoted, separated by spaces.
std::string CommandLineText(const std::string& program, const std::vector<std::string>& arguments,
                            ShellRules rules = kSystemShell);

}  // namespace shell
