#include "shell/Paths.h"

namespace shell {

std::string JoinPath(const std::string& dir, const std::string& name, char separator) {
  if (!dir.empty() && dir.back() == separator) return dir + name;
  return dir + separator + name;
}

std::filesystem::path FileSystemPath(const std::string& path) {
#ifdef _WIN32
  return std::filesystem::u8path(path);  // the strings are UTF-8, not the ANSI code page
#else
  return std::filesystem::path(path);
#endif
}

std::string PathString(const std::filesystem::path& path) {
#ifdef _WIN32
  return path.u8string();
#else
  return path.string();
#endif
}

std::string AbsolutePath(const std::string& path) {
  const std::filesystem::path given = FileSystemPath(path);
  if (path.empty() || given.has_root_directory()) return path;
  std::error_code error;
  const std::filesystem::path whole = std::filesystem::absolute(given, error);
  return error ? path : PathString(whole);
}

bool IsFile(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(FileSystemPath(path), error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(FileSystemPath(path), error);
}

Result<> RemoveFile(const std::string& path) {
  std::error_code error;
  std::filesystem::remove(FileSystemPath(path), error);
  if (error) return Failure{error.message()};
  return {};
}

}  // namespace shell
