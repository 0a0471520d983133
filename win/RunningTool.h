#pragma once
// Which compile step runs now, where the session cannot say: on Windows the
// four tools run inside one batch file, so the session reports one step.
// The running processes are looked up by the tools' names instead.

#include <cstddef>
#include <optional>
#include <string>

namespace win {

struct RunningTool {
  std::size_t Step = 0;  // from 0, of the four
  std::string Name;      // its file name
};

// The compile tool (any of the names each step looks for) running now.
std::optional<RunningTool> FindRunningTool();

}  // namespace win
