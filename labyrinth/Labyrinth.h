#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "labyrinth/Cell.h"
#include "map/HLMap.h"
#include "map/Random.h"
#include "platform/Result.h"

// The six options, each the item index of its option group in the window
// (shell/LevelOptions.h names the items); the defaults are the window's.
struct LabyrinthOptions {
  int MapDim = 1;        // 0 to 4, smallest to biggest
  int MapCompl = 1;      // 0 to 2, lowest to highest
  int Skill = 1;         // 0 to 2, lowest to highest
  int MonstersType = 0;  // 0 all kinds, 1 to 3 fewer kinds
  int GameType = 1;      // 0 kill every monster, 1 find the exit
  int Friends = 0;       // 0, 1, 2
};

// A failure names the first option out of range and the values it allows.
Result<> ValidateOptions(const LabyrinthOptions& options);

// A random labyrinth level: lays out a character grid, checks it, then
// furnishes the map document it derives from.
class Labyrinth : public HLMap {
 public:
  // A command gives up after this many rejected attempts, with this message.
  static constexpr int kMaxAttempts = 500;
  static constexpr const char* kRejectedMessage = "Error generating labyrinth: try again";

  // World units: one grid cell's side, the room height, floor and ceiling slabs.
  static constexpr int CellSize = 64;
  static constexpr int WallHeight = 180;
  static constexpr int SlabThickness = 8;

  // Options in the window's order (the game type before the friends); they
  // must pass ValidateOptions.
  Labyrinth(int mapDim, int mapCompl, int skill, int monstersType, int gameType, int friends,
            std::uint32_t seed = Random::TimeSeed());
  explicit Labyrinth(const LabyrinthOptions& options, std::uint32_t seed = Random::TimeSeed());

  // One attempt at the whole level; false when the layout was rejected, in
  // which case nothing was added to the map.
  bool Generate();

  // Calls Generate until it succeeds, at most maxAttempts times. Returns the
  // number of the successful attempt, or 0 when all were rejected.
  int GenerateLevel(int maxAttempts = kMaxAttempts);

  // The accepted layout as it stood before geometry was built: Height lines
  // of Width cell codes, row 0 first, each ended by LF. Empty before success.
  const std::string& LayoutPreview() const { return Preview; }

  // Whole cells between two cells, rounded down.
  static int CellDistance(int x1, int y1, int x2, int y2);

  // The world point at the centre of cell (x, y), at height z. Row 0 lies
  // at the largest Y.
  HLPoint CellCentre(int x, int y, int z) const {
    return {OriginX + x * CellSize + CellSize / 2, OriginY - y * CellSize - CellSize / 2, z};
  }

  // Fixed by the options.
  const int Width;    // grid columns
  const int Height;   // grid rows
  const int OriginX;  // world X of column 0's left edge
  const int OriginY;  // world Y of row 0's top edge
  const int MonsterCount;
  const int WeaponCount;
  const int AmmoCount;
  const int ItemCount;

 private:
  friend struct LabyrinthTestAccess;
  // Populate's phases, in Populate.cpp.
  struct Furnisher;

  // Bound on every draw-until-found loop; reaching it rejects the attempt.
  static constexpr int kMaxDraws = 100000;

  const int MapDim;
  const int MapCompl;
  const int Skill;
  const int MonstersType;
  const int GameType;
  const int Friends;

  char& Grid(int x, int y) { return Cells[static_cast<size_t>(x) * Height + y]; }
  char Grid(int x, int y) const { return Cells[static_cast<size_t>(x) * Height + y]; }

  // Layout steps.
  void CarveMaze();
  bool PlaceStart();
  bool PlaceExit();
  bool PlaceOnEdge(int x, int& row, char code);
  // Whether the exit can be reached from the start: walls stop, all else passes.
  bool CheckPath();
  // Free cells and low blocks the start cannot reach become Cell::Unreachable.
  void MarkUnreachable();
  // The first of count stamps no cell carries yet, for the searches.
  std::uint32_t NewStamps(std::uint32_t count);
  static std::vector<std::uint8_t> MakeRowEdges(int width, int height);
  // The low blocks of every free cell: the edge columns, then the rest. The
  // second half needs the first and may come after other draws.
  void PlaceEdgeLowBlocks();
  void PlaceInnerLowBlocks();
  int LowBlockThreshold() const;
  void PlaceCrates();
  void PlaceMonsterMarks();

  // Furnishing steps.
  void BuildGeometry();
  void BuildRun(int x, int y, char code);
  void Populate();
  bool IsOpenArea(int x, int y) const;
  int ChooseAngle(int x, int y);

  // Draws cells until one is free (and, for the near-start draw, within
  // distance 5 of the start). False, with Aborted set, when kMaxDraws ran out.
  bool DrawFreeCell(int& x, int& y);
  bool DrawNearStartCell(int& x, int& y);

  int StartX = 0;
  int StartY = 0;
  int ExitX = 0;
  int ExitY = 0;
  bool UseLights = true;
  // Set by a draw loop that reached kMaxDraws; the attempt is then rejected.
  bool Aborted = false;

  Random Rng;
  std::vector<char> Cells;  // column-major: each column is Height cells
  // Reused by the searches, so that an attempt allocates nothing: room for
  // two lists of cells still to expand, the search's stamp per cell, and
  // which cells lie in the first or last row.
  std::vector<std::int32_t> SearchStack;
  std::vector<std::uint32_t> Stamps;
  std::uint32_t NextStamp = 1;
  std::vector<std::uint8_t> RowEdges;
  std::string Preview;
  // Divisions done once for the draws every attempt makes thousands of.
  Random::Bound BelowWidth, BelowHeight, BelowWallLength;
  // Left by PlaceEdgeLowBlocks for PlaceInnerLowBlocks: the random state
  // before the low-block draws and, per row, the index of its first inner draw.
  std::uint32_t LowBlockState = 0;
  std::vector<int> RowDraws;
};
