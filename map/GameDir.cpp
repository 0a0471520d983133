#include "map/GameDir.h"

#include <cstdio>

namespace {

// Empty when the wad value can carry c.
std::string Unusable(unsigned char c) {
  switch (c) {
    case '"':
      return "a double quote (\"), which would end the wad value early";
    case ';':
      return "a semicolon (;), which the compile tools read as a break between wad files";
    case '\r':
      return "a carriage return (CR), which would break the level's line";
    case '\n':
      return "a line feed (LF), which would break the level's line";
  }
  if (c >= 0x20 && c != 0x7f) return {};
  char code[8];
  std::snprintf(code, sizeof code, "0x%02X", c);
  return std::string("the control character ") + code + ", which a level cannot carry";
}

}  // namespace

Result<> CheckGameDir(const std::string& dir) {
  for (const char c : dir) {
    const std::string reason = Unusable(static_cast<unsigned char>(c));
    if (!reason.empty()) return Failure{"the game folder's name contains " + reason};
  }
  return {};
}
