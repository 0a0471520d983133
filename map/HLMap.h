#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "map/HLBlock.h"
#include "map/HLEntity.h"
#include "platform/Platform.h"
#include "platform/Result.h"

class MapText;

// The level document: world brushes and entities in insertion order, owned
// by the map, written as one .map file.
class HLMap {
 public:
  HLMap() = default;
  HLMap(const HLMap&) = delete;
  HLMap& operator=(const HLMap&) = delete;

  void AddBlock(std::unique_ptr<HLBlock> block) { Blocks.push_back(std::move(block)); }
  void AddEntity(std::unique_ptr<HLEntity> entity) { Entities.push_back(std::move(entity)); }
  int NumBlocks() const { return static_cast<int>(Blocks.size()); }
  int NumEntities() const { return static_cast<int>(Entities.size()); }

  // The whole level as .map text.
  void Write(MapText& out) const;
  void Write(std::ostream& out) const;

  // Writes the level to path. The text goes to a temporary file beside it,
  // which replaces the target only once everything was written, so a failed
  // write leaves any earlier file as it was. A failure names the system's reason.
  Result<> WriteMap(const std::string& path) const;

  std::vector<std::unique_ptr<HLBlock>> Blocks;
  std::vector<std::unique_ptr<HLEntity>> Entities;
  // The game's main directory, used only in the "wad" line.
  std::string GameDir;
  // Between GameDir, "valve" and "halflife.wad": a backslash path would name
  // no file outside Windows.
  char WadSeparator = platform::kPathSeparator;
};
