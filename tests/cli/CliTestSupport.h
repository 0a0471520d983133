#pragma once
// What the command-line tests share: a scratch directory, a change of the
// current directory, and running the program in-process.

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

// A fresh directory for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir() {
    std::random_device device;
    Path = std::filesystem::temp_directory_path() /
           ("quorvel-cli-test-" + std::to_string(device()) + std::to_string(device()));
    std::filesystem::create_directories(Path);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string File(const std::string& name) const { return (Path / name).string(); }

  std::filesystem::path Path;
};

// Makes dir the current directory for one scope.
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

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// One run of the program: exit status and what it printed.
struct Outcome {
  int Status = -1;
  std::string Out;
  std::string Err;
};

inline Outcome RunCommand(const std::vector<std::string>& args,
                          int maxAttempts = Labyrinth::kMaxAttempts) {
  std::ostringstream out, err;
  Outcome outcome;
  outcome.Status = cli::RunCli(args, out, err, maxAttempts);
  outcome.Out = out.str();
  outcome.Err = err.str();
  return outcome;
}

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
