#include "labyrinth/Labyrinth.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

namespace {
// Monster cells by base (20: every kind, or aliens only; 15: grunt kinds), map
// dimension and skill. The counts are fixed by this table, not recomputed in
// floating point, where double and extended precision disagree.
const int kMonsterCount[2][5][3] = {
    {{20, 30, 40}, {33, 49, 66}, {47, 70, 94}, {61, 91, 122}, {75, 112, 150}},
    {{15, 22, 30}, {25, 37, 50}, {35, 52, 70}, {46, 69, 92}, {56, 84, 112}},
};

int MonsterCountFor(const LabyrinthOptions& o) {
  assert(ValidateOptions(o));  // the constructor's one precondition
  const bool bigBase = o.MonstersType == 0 || o.MonstersType == 3;
  return kMonsterCount[bigBase ? 0 : 1][o.MapDim][o.Skill];
}

Failure RangeError(const char* name, int value, int max) {
  return {std::string(name) + " must be 0 to " + std::to_string(max) + ", not " +
          std::to_string(value)};
}
}  // namespace

Result<> ValidateOptions(const LabyrinthOptions& o) {
  if (o.MapDim < 0 || o.MapDim > 4) return RangeError("Map dimension", o.MapDim, 4);
  if (o.MapCompl < 0 || o.MapCompl > 2) return RangeError("Map complexity", o.MapCompl, 2);
  if (o.Skill < 0 || o.Skill > 2) return RangeError("Skill", o.Skill, 2);
  if (o.MonstersType < 0 || o.MonstersType > 3)
    return RangeError("Monsters type", o.MonstersType, 3);
  if (o.GameType < 0 || o.GameType > 1) return RangeError("Game type", o.GameType, 1);
  if (o.Friends < 0 || o.Friends > 2) return RangeError("Friends", o.Friends, 2);
  return {};
}

Labyrinth::Labyrinth(int mapDim, int mapCompl, int skill, int monstersType, int gameType,
                     int friends, std::uint32_t seed)
    : Labyrinth(LabyrinthOptions{mapDim, mapCompl, skill, monstersType, gameType, friends}, seed) {}

Labyrinth::Labyrinth(const LabyrinthOptions& o, std::uint32_t seed)
    : Width(15 * o.MapDim + 30),
      Height(10 * o.MapDim + 25),
      OriginX(-(CellSize * Width) / 2),
      OriginY((CellSize * Height) / 2),
      MonsterCount(MonsterCountFor(o)),
      WeaponCount(2 * (o.Skill + o.MapDim + (o.MonstersType == 3 ? 1 : 0)) + 2),
      AmmoCount(WeaponCount),
      ItemCount(2 * (o.Skill + o.MapDim + (o.MonstersType == 2 ? 1 : 0)) + 2),
      MapDim(o.MapDim),
      MapCompl(o.MapCompl),
      Skill(o.Skill),
      MonstersType(o.MonstersType),
      GameType(o.GameType),
      Friends(o.Friends),
      Rng(seed),
      Cells(static_cast<size_t>(Width) * Height, Cell::Free),
      // Each cell waits for expansion at most once, in one of two lists,
      // each with one slot more that a fill may write without counting it.
      SearchStack(2 * (static_cast<size_t>(Width) * Height + 1), 0),
      Stamps(static_cast<size_t>(Width) * Height, 0),
      RowEdges(MakeRowEdges(Width, Height)),
      BelowWidth(Width),
      BelowHeight(Height),
      BelowWallLength(4 * MapDim + 4),
      RowDraws(static_cast<size_t>(Height), 0) {}

bool Labyrinth::Generate() {
  Aborted = false;
  Preview.clear();
  // In pieces of at most 2 KB, which the C library fills with vector stores:
  // a larger fill goes to a string instruction, which instruction counts
  // (how generation speed is measured, see bench/callgrind.sh) charge per byte.
  for (size_t at = 0; at < Cells.size(); at += 2048)
    std::memset(Cells.data() + at, Cell::Free, std::min<size_t>(2048, Cells.size() - at));

  CarveMaze();
  if (Aborted) return false;
  // Low blocks are passable, so only those on the two edge columns can change
  // whether the layout is accepted; the rest are decided once it is.
  PlaceEdgeLowBlocks();
  if (!PlaceStart() || !PlaceExit() || !CheckPath()) return false;
  PlaceInnerLowBlocks();
  MarkUnreachable();
  PlaceCrates();
  PlaceMonsterMarks();
  if (Aborted) return false;

  Preview.reserve(static_cast<size_t>(Width + 1) * Height);
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) Preview += Grid(x, y);
    Preview += '\n';
  }

  const size_t blocks = Blocks.size(), entities = Entities.size();
  BuildGeometry();
  Populate();
  if (Aborted) {  // nothing of a rejected attempt stays in the map
    Blocks.resize(blocks);
    Entities.resize(entities);
    Preview.clear();
    return false;
  }
  return true;
}

int Labyrinth::GenerateLevel(int maxAttempts) {
  for (int attempt = 1; attempt <= maxAttempts; ++attempt)
    if (Generate()) return attempt;
  return 0;
}

int Labyrinth::CellDistance(int x1, int y1, int x2, int y2) {
  const double dx = x2 - x1, dy = y2 - y1;
  return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

bool Labyrinth::DrawFreeCell(int& x, int& y) {
  for (int draw = 0; draw < kMaxDraws; ++draw) {
    x = Rng.Below(BelowWidth);
    y = Rng.Below(BelowHeight);
    if (Grid(x, y) == Cell::Free) return true;
  }
  Aborted = true;
  return false;
}

bool Labyrinth::DrawNearStartCell(int& x, int& y) {
  for (int draw = 0; draw < kMaxDraws; ++draw) {
    x = Rng.Below(BelowWidth);
    y = Rng.Below(BelowHeight);
    if (Grid(x, y) == Cell::Free && CellDistance(x, y, StartX, StartY) <= 5) return true;
  }
  Aborted = true;
  return false;
}
