#pragma once
// Stand-ins for the compile tools and the game: small shell scripts in a
// scratch folder. Each default tool appends its name to log.txt and does
// what a real one would to the files the program looks at.

#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <thread>

#include "TestFiles.h"

namespace testing_support {

inline void WriteScript(const std::filesystem::path& path, const std::string& body) {
  WriteFile(path, "#!/bin/sh\n" + body + "\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

// Stand-in programs that do nothing, in folder, made when missing.
inline void MakePrograms(const std::filesystem::path& folder, std::initializer_list<const char*> names) {
  std::filesystem::create_directories(folder);
  for (const char* name : names) WriteScript(folder / name, "");
}

// Waits up to ten seconds for file to hold a line; its first line.
inline std::string WaitForLine(const std::filesystem::path& file) {
  for (int i = 0; i < 1000 && !Contains(ReadFile(file), "\n"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const std::string text = ReadFile(file);
  return text.substr(0, text.find('\n'));
}

// True when the process ends (or is left a zombie) within two seconds.
inline bool ProcessEnds(const std::string& pid) {
  for (int i = 0; i < 200; ++i) {
    const std::string state = ReadFile("/proc/" + pid + "/stat");
    if (state.empty() || Contains(state, ") Z ")) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Bodies a tool may have; "$3" is the map's path without extension.
namespace fake {
inline const std::string kWriteBsp = "echo level > \"$3.bsp\"";
inline const std::string kFail = "echo 'Error: no way through' ; echo failed > \"$3.err\" ; exit 3";
inline const std::string kLeak = "echo 'LEAK LEAK LEAK' ; echo 1 2 3 > \"$3.lin\" ; echo leak > \"$3.err\"";
inline const std::string kCrash = "kill -SEGV $$";
// Starts a child that would run on, records its pid in child.pid, waits.
inline const std::string kHang = "sleep 60 & echo $! > child.pid ; wait";
}  // namespace fake

// AppDir with quorvel.map, ToolDir with hlcsg, hlbsp, hlvis and hlrad, the
// game's HLDir with valve/maps, all in one scratch folder (names with spaces).
class FakeCompile {
 public:
  FakeCompile() {
    for (const std::string& dir : {AppDir, ToolDir, MapsDir}) std::filesystem::create_directories(dir);
    WriteFile(AppDir + "/quorvel.map", "{\n}\n");
    for (const char* name : {"hlcsg", "hlbsp", "hlvis", "hlrad"}) Tool(name, "");
  }

  // Replaces a tool's body; the tool still logs its name first.
  void Tool(const std::string& name, const std::string& body) {
    WriteScript(ToolDir + "/" + name,
                "echo " + name + " >> '" + Log + "'\n" + (name == "hlbsp" && body.empty() ? fake::kWriteBsp : body));
  }
  std::string Ran() const { return ReadFile(Log); }  // the tools' names, one a line
  // A stand-in game that records its arguments; the file it records them in.
  std::string Game() const {
    WriteScript(HLDir + "/hl_linux", "echo \"$*\" > started");
    return HLDir + "/started";
  }
  TempDir Root;
  std::string AppDir = Root.Str() + "/levels here";
  std::string ToolDir = Root.Str() + "/tools 100%";
  std::string HLDir = Root.Str() + "/Half-Life";
  std::string MapsDir = HLDir + "/valve/maps";
  std::string Log = Root.Str() + "/log.txt";
};

}  // namespace testing_support
