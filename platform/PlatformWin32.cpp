#include "platform/Platform.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

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

std::string KnownFolderPath(KnownFolder folder) {
  static const KNOWNFOLDERID* const ids[] = {&FOLDERID_Profile, &FOLDERID_RoamingAppData, &FOLDERID_LocalAppData,
                                             &FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86};
  PWSTR path = nullptr;
  // KF_FLAG_DONT_VERIFY: the name, also when the folder is not there yet.
  const HRESULT found = SHGetKnownFolderPath(*ids[static_cast<int>(folder)], KF_FLAG_DONT_VERIFY, nullptr, &path);
  std::string result = SUCCEEDED(found) && path ? Narrow(path) : std::string();
  CoTaskMemFree(path);
  return result;
}

std::string ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return Narrow(std::filesystem::path(std::wstring(buffer.data(), n)).parent_path().wstring());
    buffer.resize(buffer.size() * 2);  // a long path: the name was cut
  }
}

std::string UserRegistryString(const std::string& key, const std::string& name) {
  const std::wstring wideKey = Widen(key), wideName = Widen(name);
  // RRF_RT_REG_SZ takes REG_EXPAND_SZ too, expanded.
  DWORD bytes = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::vector<wchar_t> value(bytes / sizeof(wchar_t) + 1);
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, wideKey.c_str(), wideName.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &bytes);
    if (status == ERROR_SUCCESS) return Narrow(value.data());
    if (status != ERROR_MORE_DATA) return {};  // no such key or value, or not a string
  }
  return {};  // still growing: written to while read
}

}  // namespace platform
