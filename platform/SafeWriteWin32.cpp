#include "platform/SafeWrite.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <random>

#include "platform/Platform.h"
#include "platform/Win32Text.h"

namespace platform {

namespace {

Failure SystemFailure(DWORD code) { return Failure{ErrorText(code)}; }

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : Value(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Reset(INVALID_HANDLE_VALUE); }
  void Reset(HANDLE handle) {
    if (Valid()) CloseHandle(Value);
    Value = handle;
  }
  bool Valid() const { return Value != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return Value; }
  // Closes now, so that a failing close is seen: 0, or the error code.
  DWORD Close() {
    const HANDLE handle = Value;
    Value = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) ? 0 : GetLastError();
  }

 private:
  HANDLE Value;
};

// 0, or the error code of the failure.
DWORD WriteAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(bytes.size() < (1u << 30) ? bytes.size() : (1u << 30));
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) return GetLastError();
    bytes.remove_prefix(written);
  }
  return 0;
}

// ".<name>.<random>.tmp" beside the target.
std::wstring TemporaryName(const std::wstring& target) {
  const size_t slash = target.find_last_of(L"\\/:");
  const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
  const std::wstring name = target.substr(folder.size(), 200);
  static thread_local std::mt19937_64 random{std::random_device{}()};
  wchar_t tag[17];
  std::swprintf(tag, 17, L"%016llx", static_cast<unsigned long long>(random()));
  return folder + L"." + name + L"." + tag + L".tmp";
}

Result<> Replace(const std::wstring& target, std::string_view bytes) {
  std::wstring temp;
  Handle file;
  for (int attempt = 0; !file.Valid(); ++attempt) {
    temp = TemporaryName(target);
    // CREATE_NEW: a file or link someone placed at this name is never opened.
    file.Reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid() && (GetLastError() != ERROR_FILE_EXISTS || attempt == 100))
      return SystemFailure(GetLastError());
  }
  DWORD error = WriteAll(file.Get(), bytes);
  if (error == 0 && !FlushFileBuffers(file.Get())) error = GetLastError();
  const DWORD closeError = file.Close();
  if (error == 0) error = closeError;
  if (error == 0 && !MoveFileExW(temp.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error != 0) {
    DeleteFileW(temp.c_str());
    return SystemFailure(error);
  }
  return {};
}

Result<std::string> ReadWholeFile(const std::wstring& path) {
  Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return SystemFailure(GetLastError());
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &n, nullptr))
      return SystemFailure(GetLastError());
    if (n == 0) return bytes;
    bytes.append(buffer, n);
  }
}

}  // namespace

Result<> WriteFileSafely(const std::string& path, std::string_view bytes) {
  const std::wstring target = Widen(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Failure{"it is a folder, which is never replaced"};
  // A device (NUL, CON) or a pipe the caller names is written through.
  Handle existing(CreateFileW(target.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (existing.Valid()) {
    const DWORD type = GetFileType(existing.Get());
    if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
      if (const DWORD error = WriteAll(existing.Get(), bytes)) return SystemFailure(error);
      if (const DWORD error = existing.Close()) return SystemFailure(error);
      return {};
    }
    existing.Reset(INVALID_HANDLE_VALUE);  // an open handle would block the rename
  }
  return Replace(target, bytes);
}

bool IsWrittenThrough(const std::string& path) {
  Handle existing(CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!existing.Valid()) return false;
  const DWORD type = GetFileType(existing.Get());
  return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}

Result<> MoveFileTo(const std::string& from, const std::string& to) {
  const std::wstring source = Widen(from);
  if (MoveFileExW(source.c_str(), Widen(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return {};
  if (GetLastError() != ERROR_NOT_SAME_DEVICE) return SystemFailure(GetLastError());
  // Another volume: copied the way every file is written, then the
  // original removed.
  const Result<std::string> bytes = ReadWholeFile(source);
  if (!bytes) return Failure{bytes.Error()};
  if (const Result<> written = WriteFileSafely(to, *bytes); !written) return written;
  if (!DeleteFileW(source.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
    return Failure{"copied, but the original could not be removed: " + SystemFailure(GetLastError()).Message};
  return {};
}

}  // namespace platform
