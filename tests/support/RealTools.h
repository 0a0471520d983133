#pragma once
// The real GoldSrc map compilers, for tests that compile real levels. The
// environment variable QUORVEL_REAL_TOOLS names a folder laid out as
// linux/zhlt, linux/sdhlt and windows/sdhlt (see docs/developing.md); without
// it those tests are skipped and say so. Under Wine a POSIX path in it is
// read through Wine's Z: drive. The tools run from copies in a scratch folder
// (SDHLT reads settings.txt beside itself).

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "TestFiles.h"

namespace testing_support {

// The folder QUORVEL_REAL_TOOLS names; empty when it is unset.
inline std::filesystem::path RealToolsRoot() {
  const char* value = std::getenv("QUORVEL_REAL_TOOLS");
  if (!value || !*value) return {};
  std::string path = value;
#ifdef _WIN32
  if (path.front() == '/') path = "Z:" + path;
#endif
  return std::filesystem::u8path(path);
}

// Why a real-compile test does not run here; empty when it does.
inline std::string RealToolsMissing() {
#if defined(__SANITIZE_ADDRESS__)
  return "the real compiles run in the normal build only, not under ASan";
#else
  if (RealToolsRoot().empty()) return "QUORVEL_REAL_TOOLS is not set: no real compile tools to compile with";
  return {};
#endif
}

#define QUORVEL_NEEDS_REAL_TOOLS()                                                 \
  do {                                                                             \
    if (const std::string missing = testing_support::RealToolsMissing(); !missing.empty()) \
      GTEST_SKIP() << missing;                                                     \
  } while (false)

// Copies the compiler set in RealToolsRoot()/set into dir, each program under
// name(file name) (empty: not a program), the other files as they are.
template <typename Rename>
void CopyRealTools(const std::string& set, const std::filesystem::path& dir, Rename name) {
  std::filesystem::create_directories(dir);
  for (const auto& entry : std::filesystem::directory_iterator(RealToolsRoot() / set)) {
    const std::string file = entry.path().filename().string();
    const std::string program = name(file);
    std::filesystem::copy_file(entry.path(), dir / (program.empty() ? file : program),
                               std::filesystem::copy_options::overwrite_existing);
  }
}

// The textures every level names, each a plain 16x16 picture in a WAD3 file.
inline void WriteTestWad(const std::filesystem::path& path) {
  const char* names[] = {"BOLTS", "BRICK40", "BRICK49", "FLOOR32", "GRAY", "ROCK2", "WOOD26", "WOOD39", "WOOD8"};
  const auto word = [](std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  };
  const auto name16 = [](std::string& out, const char* name) {
    const std::string text(name);
    out += text + std::string(16 - text.size(), '\0');
  };
  std::string lumps, directory;
  std::uint32_t offset = 12;
  std::uint8_t colour = 1;
  for (const char* name : names) {
    std::string lump;
    name16(lump, name);
    word(lump, 16);
    word(lump, 16);
    for (const std::uint32_t mip : {40u, 40u + 256, 40u + 256 + 64, 40u + 256 + 64 + 16}) word(lump, mip);
    lump += std::string(256 + 64 + 16 + 4, static_cast<char>(colour++));
    lump += std::string("\x00\x01", 2);  // 256 palette colours
    for (int i = 0; i < 256; ++i) lump += std::string(3, static_cast<char>(i));
    lump += std::string(2, '\0');
    word(directory, offset);
    word(directory, static_cast<std::uint32_t>(lump.size()));
    word(directory, static_cast<std::uint32_t>(lump.size()));
    directory += std::string("\x43\0\0\0", 4);  // a mip texture, not compressed
    name16(directory, name);
    offset += static_cast<std::uint32_t>(lump.size());
    lumps += lump;
  }
  std::string header = "WAD3";
  word(header, static_cast<std::uint32_t>(std::size(names)));
  word(header, offset);
  std::filesystem::create_directories(path.parent_path());
  WriteFile(path, header + lumps + directory);
}

// The map text without its n-th brush (from 0) of the world: brushes are the
// "{" ... "}" blocks inside the first entity. Line ends are kept.
inline std::string WithoutBrush(const std::string& map, int n) {
  std::size_t at = 0;
  int depth = 0, brush = -1;
  while (at < map.size()) {
    const std::size_t end = std::min(map.find('\n', at), map.size() - 1) + 1;
    const std::string line = map.substr(at, end - at);
    if (line.rfind("{", 0) == 0 && ++depth == 2 && ++brush == n) {
      const std::size_t close = map.find("\n}", at);
      return map.substr(0, at) + map.substr(map.find('\n', close + 1) + 1);
    }
    if (line.rfind("}", 0) == 0) --depth;
    at = end;
  }
  return map;
}

}  // namespace testing_support
