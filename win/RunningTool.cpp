#include "win/RunningTool.h"

#include <windows.h>

#include <tlhelp32.h>

#include "shell/CompilePlan.h"
#include "win/Text.h"

namespace win {

std::optional<RunningTool> FindRunningTool() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<RunningTool> found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
    const auto& steps = shell::WindowsToolNames();
    for (std::size_t step = 0; step < steps.size() && !found; ++step)
      for (const std::string& name : steps[step])
        if (lstrcmpiW(entry.szExeFile, Widen(name).c_str()) == 0) found = RunningTool{step, name};
  }
  CloseHandle(snapshot);
  return found;
}

}  // namespace win
