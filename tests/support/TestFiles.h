#pragma once
// Files and folders for tests: a scratch folder removed afterwards, a scoped
// change of the current folder, whole-file reads and writes.

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>

namespace testing_support {

class TempDir {
 public:
  TempDir() {
    std::random_device device;
    Path = std::filesystem::temp_directory_path() /
           ("quorvel-test-" + std::to_string(device()) + std::to_string(device()));
    std::filesystem::create_directories(Path);
    Path = std::filesystem::canonical(Path);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(Path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string File(const std::string& name) const { return (Path / name).string(); }
  std::string Str() const { return Path.string(); }
  std::filesystem::path Path;
};

class ChangeDirectory {
 public:
  explicit ChangeDirectory(const std::filesystem::path& dir)
      : Previous(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~ChangeDirectory() {
    std::error_code ec;
    std::filesystem::current_path(Previous, ec);
  }
  ChangeDirectory(const ChangeDirectory&) = delete;
  ChangeDirectory& operator=(const ChangeDirectory&) = delete;

 private:
  std::filesystem::path Previous;
};

// Empty when the file does not exist.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Part of the system's reason when a file is written into a missing folder.
#ifdef _WIN32
inline constexpr char kMissingFolderReason[] = "not found";
#else
inline constexpr char kMissingFolderReason[] = "No such file";
#endif

inline std::set<std::string> Entries(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) names.insert(entry.path().filename().string());
  return names;
}

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace testing_support
