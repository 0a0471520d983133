#include "platform/SafeRead.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <memory>

#include "platform/Win32Text.h"

namespace platform {

namespace {

Failure TooLarge(std::size_t maxBytes) { return Failure{"it is larger than " + std::to_string(maxBytes) + " bytes"}; }

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

}  // namespace

Result<std::optional<std::string>> ReadFileSafely(const std::string& path, std::size_t maxBytes) {
  const std::wstring wide = Widen(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::optional<std::string>();
    return Failure{ErrorText(error)};
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Failure{"it is a folder, not a regular file"};
  const HANDLE opened = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return Failure{LastErrorText()};
  const std::unique_ptr<void, HandleCloser> file(opened);
  // NUL, CON and the like are devices, whatever folder they are named in.
  if (GetFileType(opened) != FILE_TYPE_DISK) return Failure{"it is a device or pipe, not a regular file"};
  LARGE_INTEGER size;
  if (!GetFileSizeEx(opened, &size)) return Failure{LastErrorText()};
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return TooLarge(maxBytes);
  std::string bytes;
  char buffer[1 << 14];
  while (bytes.size() <= maxBytes) {
    DWORD n = 0;
    if (!ReadFile(opened, buffer, sizeof buffer, &n, nullptr)) return Failure{LastErrorText()};
    if (n == 0) return std::optional<std::string>(std::move(bytes));
    bytes.append(buffer, n);
  }
  return TooLarge(maxBytes);  // it grew while being read
}

}  // namespace platform
