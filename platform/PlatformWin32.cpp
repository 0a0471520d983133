#include "platform/Platform.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <vector>

#include "platform/Win32Text.h"

namespace platform {

std::string CurrentDirectory() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return {};
  std::vector<wchar_t> buffer(needed);
  const DWORD n = GetCurrentDirectoryW(needed, buffer.data());
  return n == 0 || n >= needed ? std::string() : Narrow(std::wstring_view(buffer.data(), n));
}

// Windows runs any existing file it is asked to; there is no mode to check.
bool IsExecutable(const std::string& path) {
  const DWORD a = GetFileAttributesW(Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool SamePathName(const std::filesystem::path& a, const std::filesystem::path& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace platform
