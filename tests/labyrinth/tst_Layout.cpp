// The layout steps that trade plainness for speed, each checked against the
// plain rule it stands for, and the caps on endless draw loops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"

// The layout steps are private; these tests drive them on made-up grids.
struct LabyrinthTestAccess {
  Labyrinth& Lab;
  std::vector<char>& Cells = Lab.Cells;
  Random& Rng = Lab.Rng;
  bool& Aborted = Lab.Aborted;

  char& At(int x, int y) { return Lab.Grid(x, y); }
  void Fill(const std::string& codes, Random& noise) {
    for (char& c : Cells)
      c = codes[static_cast<size_t>(noise.Below(static_cast<int>(codes.size())))];
  }
  void PlaceEnds(int startY, int exitY) {
    Lab.StartY = startY, Lab.ExitX = Lab.Width - 1, Lab.ExitY = exitY;
    At(0, startY) = Cell::Start;
    At(Lab.ExitX, exitY) = Cell::Exit;
  }
  bool FindPath(int tx, int ty) { return Lab.FindPath(0, Lab.StartY, tx, ty); }
  void ClearMarks() { Lab.ClearMarks(); }
  void PlaceLowBlocks() { Lab.PlaceLowBlocks(); }
  void CarveMaze() { Lab.CarveMaze(); }
  void PlaceMonsterMarks() { Lab.PlaceMonsterMarks(); }
  bool PlaceStart() { return Lab.PlaceStart(); }
  void Populate() { Lab.Populate(); }
};

namespace {

// The path search as a plain recursion: enters each cell once and marks it.
bool RecursiveFindPath(LabyrinthTestAccess& t, std::vector<bool>& in, int x, int y, int tx,
                       int ty) {
  char& c = t.At(x, y);
  if (x == tx && y == ty) {
    c = Cell::SeenFree;
    return true;
  }
  const int w = t.Lab.Width, h = t.Lab.Height;
  if (c == Cell::Wall || in[static_cast<size_t>(x * h + y)]) return false;
  in[static_cast<size_t>(x * h + y)] = true;
  if (c == Cell::Free) c = Cell::SeenFree;
  if (c == Cell::LowBlock) c = Cell::SeenLowBlock;
  if (c == Cell::Doorway) c = Cell::SeenDoorway;
  return (x < w - 1 && RecursiveFindPath(t, in, x + 1, y, tx, ty)) ||
         (x > 0 && RecursiveFindPath(t, in, x - 1, y, tx, ty)) ||
         (y < h - 1 && RecursiveFindPath(t, in, x, y + 1, tx, ty)) ||
         (y > 0 && RecursiveFindPath(t, in, x, y - 1, tx, ty));
}

}  // namespace

// The search visits cells in its own order: the outcome must match the
// recursion, and so must the marks whenever the whole region was searched
// (no target, or one not reached). Once marks are cleared the grids agree.
TEST(Layout, PathSearchMatchesTheRecursion) {
  const std::string codes{Cell::Free, Cell::Free,     Cell::Free,    Cell::Wall,
                          Cell::Wall, Cell::LowBlock, Cell::Doorway, Cell::Unreachable};
  Random noise(42);
  int reached = 0;
  for (int trial = 0; trial < 300; ++trial) {
    Labyrinth fastLab(0, 0, 0, 0, 1, 0, 1), slowLab(0, 0, 0, 0, 1, 0, 1);
    LabyrinthTestAccess fast{fastLab}, slow{slowLab};
    fast.Fill(codes, noise);
    slow.Cells = fast.Cells;
    const int startY = noise.Below(25), exitY = noise.Below(25);
    fast.PlaceEnds(startY, exitY);
    slow.PlaceEnds(startY, exitY);
    const int tx = trial % 2 ? -1 : 29, ty = trial % 2 ? -1 : exitY;
    const bool found = fast.FindPath(tx, ty);
    std::vector<bool> entered(fast.Cells.size());
    ASSERT_EQ(found, RecursiveFindPath(slow, entered, 0, startY, tx, ty)) << trial;
    if (!found) {
      ASSERT_EQ(fast.Cells, slow.Cells) << trial;
    }
    fast.ClearMarks();
    slow.ClearMarks();
    ASSERT_EQ(fast.Cells, slow.Cells) << trial;
    reached += found;
  }
  EXPECT_GT(reached, 20);
  EXPECT_LT(reached, 145) << "some searches for the exit should cover a whole region";
}

// The low blocks are decided from draws made ahead and skipped over; they
// must equal one draw per free cell in row order, and leave the random
// source where those draws would.
TEST(Layout, LowBlocksMatchACellByCellScan) {
  Random noise(77);
  for (int trial = 0; trial < 60; ++trial) {
    const int dim = trial % 5, complexity = trial % 3;
    Labyrinth fastLab(dim, complexity, 0, 0, 1, 0, 1000 + trial);
    Labyrinth slowLab(dim, complexity, 0, 0, 1, 0, 1000 + trial);
    LabyrinthTestAccess fast{fastLab}, slow{slowLab};
    fast.Fill({Cell::Free, Cell::Wall, Cell::Free, Cell::Doorway}, noise);
    slow.Cells = fast.Cells;
    fast.PlaceLowBlocks();
    const double chance = (complexity + dim + 1) * 0.01;
    for (int y = 0; y < slowLab.Height; ++y)
      for (int x = 0; x < slowLab.Width; ++x)
        if (slow.At(x, y) == Cell::Free && slow.Rng.Fraction() < chance)
          slow.At(x, y) = Cell::LowBlock;
    ASSERT_EQ(fast.Cells, slow.Cells) << trial;
    ASSERT_EQ(fast.Rng.State, slow.Rng.State) << trial;
  }
}

TEST(Layout, DrawLoopsThatCanNeverSucceedRejectTheAttempt) {
  Labyrinth lab(0, 1, 0, 0, 1, 0, 11);
  LabyrinthTestAccess t{lab};
  Random noise(1);
  t.Fill({Cell::Wall}, noise);
  Random fifty = t.Rng;
  fifty.Skip(50);
  EXPECT_FALSE(t.PlaceStart());
  EXPECT_EQ(t.Rng.State, fifty.State) << "the start gets fifty draws";
  t.CarveMaze();  // no wall pair with free cells beside it to open
  EXPECT_TRUE(t.Aborted);
  t.Aborted = false;
  t.PlaceEnds(0, 0);
  t.PlaceMonsterMarks();
  EXPECT_TRUE(t.Aborted);
  t.Aborted = false;
  t.At(20, 20) = Cell::Free;  // free, but too far from the start for the grenade
  t.Populate();
  EXPECT_TRUE(t.Aborted);
  EXPECT_EQ(lab.NumEntities(), 7) << "nothing after the start kit";
}
