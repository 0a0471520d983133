#pragma once
// A program and its arguments as one line for the user's shell (a POSIX
// shell, or cmd on Windows): each argument quoted where the shell would split
// or expand it, so that the line runs the same call when pasted.

#include <string>
#include <vector>

namespace shell {

std::string CommandLineText(const std::string& program, const std::vector<std::string>& args);

}  // namespace shell
