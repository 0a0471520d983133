#include "map/HLMap.h"

#include <sstream>

#include "map/MapText.h"
#include "platform/SafeWrite.h"

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
  return platform::WriteFileSafely(path, text);
}
