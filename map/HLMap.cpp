#include "map/HLMap.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "map/MapText.h"

void HLMap::Write(std::ostream& out) const {
  WriteLine(out, "{");
  WriteLine(out, "\"classname\" \"worldspawn\"");
  WriteLine(out, "\"wad\" \"%s%cvalve%chalflife.wad\"", GameDir.c_str(), WadSeparator, WadSeparator);
  for (const auto& block : Blocks) block->Write(out);
  WriteLine(out, "}");
  for (const auto& entity : Entities) entity->Write(out);
}

Result<> HLMap::WriteMap(const std::string& path) const {
  std::ostringstream text;
  Write(text);
  return WriteFileAtomically(path, text.str());
}

Result<> WriteFileAtomically(const std::string& path, const std::string& text) {
  const std::string temp = path + ".tmp";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return Failure{std::strerror(errno)};

  std::string error;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) error = std::strerror(errno);
  if (std::fflush(file) != 0 && error.empty()) error = std::strerror(errno);
  if (std::fclose(file) != 0 && error.empty()) error = std::strerror(errno);
  if (error.empty()) {
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (!ec) return {};
    error = ec.message();
  }
  std::remove(temp.c_str());
  return Failure{error};
}
