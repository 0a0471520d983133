#include "map/HLMap.h"

#include "map/MapText.h"
#include "platform/SafeWrite.h"

namespace {
// Room for a level's text, a little more than its brushes and entities take.
size_t ExpectedSize(const HLMap& map) {
  return 4096 + map.GameDir.size() + 512 * map.Blocks.size() + 1024 * map.Entities.size();
}
}  // namespace

void HLMap::Write(MapText& out) const {
  out.Line("{");
  out.Key("classname", "worldspawn");
  out << "\"wad\" \"" << GameDir << WadSeparator << "valve" << WadSeparator << "halflife.wad\"";
  out.EndLine();
  for (const auto& block : Blocks) block->Write(out);
  out.Line("}");
  for (const auto& entity : Entities) entity->Write(out);
}

void HLMap::Write(std::ostream& out) const {
  MapText text(ExpectedSize(*this));
  Write(text);
  out.write(text.View().data(), static_cast<std::streamsize>(text.View().size()));
}

Result<> HLMap::WriteMap(const std::string& path) const {
  MapText text(ExpectedSize(*this));
  Write(text);
  return platform::WriteFileSafely(path, text.View());
}
