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
  bool CheckPath() { return Lab.CheckPath(); }
  void MarkUnreachable() { Lab.MarkUnreachable(); }
  std::uint32_t& NextStamp = Lab.NextStamp;
  int StartRow() const { return Lab.StartY; }
  size_t ExitCell() const { return static_cast<size_t>(Lab.ExitX * Lab.Height + Lab.ExitY); }
  void PlaceLowBlocks() { Lab.PlaceLowBlocks(); }
  void CarveMaze() { Lab.CarveMaze(); }
  void PlainCarveMaze();
  void PlaceMonsterMarks() { Lab.PlaceMonsterMarks(); }
  bool PlaceStart() { return Lab.PlaceStart(); }
  void Populate() { Lab.Populate(); }
};

namespace {

// The searches' plain model: a recursion that enters every cell but walls
// once, from the start.
void Enter(LabyrinthTestAccess& t, std::vector<bool>& in, int x, int y) {
  const int w = t.Lab.Width, h = t.Lab.Height;
  if (x < 0 || y < 0 || x >= w || y >= h) return;
  if (t.At(x, y) == Cell::Wall || in[static_cast<size_t>(x * h + y)]) return;
  in[static_cast<size_t>(x * h + y)] = true;
  Enter(t, in, x + 1, y);
  Enter(t, in, x - 1, y);
  Enter(t, in, x, y + 1);
  Enter(t, in, x, y - 1);
}

}  // namespace

// The searches keep their own stamps instead of marking the grid, and the
// path check grows from both ends: the outcomes must be the recursion's, on
// one labyrinth searched again and again, through the stamps' wrap-around.
TEST(Layout, SearchesMatchTheRecursion) {
  // Open cells and walls in two mixes, one on each side of where a grid
  // stops being mostly joined.
  const std::string open{Cell::Free, Cell::Free, Cell::LowBlock, Cell::Doorway, Cell::Unreachable};
  const std::string mixes[2] = {open + std::string(2, Cell::Wall), open + std::string(4, Cell::Wall)};
  Random noise(42);
  for (int dim : {0, 4}) {
    Labyrinth lab(dim, 0, 0, 0, 1, 0, 1);
    LabyrinthTestAccess t{lab};
    int reached = 0;
    for (int trial = 0; trial < 150; ++trial) {
      if (trial == 100) t.NextStamp = UINT32_MAX - 2;
      t.Fill(mixes[trial % 2], noise);
      t.PlaceEnds(noise.Below(lab.Height), noise.Below(lab.Height));
      std::vector<bool> in(t.Cells.size());
      Enter(t, in, 0, t.StartRow());
      const bool joined = in[t.ExitCell()];
      const std::vector<char> before = t.Cells;
      ASSERT_EQ(t.CheckPath(), joined) << dim << " " << trial;
      ASSERT_EQ(t.Cells, before) << "the grid is left alone";
      std::vector<char> expected = t.Cells;
      for (size_t i = 0; i < in.size(); ++i)
        if (!in[i] && (expected[i] == Cell::Free || expected[i] == Cell::LowBlock))
          expected[i] = Cell::Unreachable;
      t.MarkUnreachable();
      ASSERT_EQ(t.Cells, expected) << dim << " " << trial;
      reached += joined;
    }
    EXPECT_GT(reached, 20) << dim;
    EXPECT_LT(reached, 130) << dim << ": some searches should cover a whole region";
  }
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

// The maze's plain rules: cell by cell, a division per draw, every draw made.
void LabyrinthTestAccess::PlainCarveMaze() {
  const int w = Lab.Width, h = Lab.Height, dim = Lab.MapDim, compl_ = Lab.MapCompl;
  const int base = static_cast<int>(dim * 0.5 * 50 + 50);
  for (int i = 0; i < static_cast<int>(compl_ * 0.25 * base + base); ++i) {
    int x = Rng.Below(w), y = Rng.Below(h);
    const double direction = Rng.Fraction();
    const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
    const int d = static_cast<int>(direction * 4);
    for (int n = Rng.Below(4 * dim + 4) + 1; n > 0 && x >= 0 && y >= 0 && x < w && y < h; --n) {
      At(x, y) = Cell::Wall;
      x += dx[d], y += dy[d];
    }
  }
  for (int made = 0, draws = 0; made < 5 * (compl_ + dim); ++draws) {
    if (draws == Labyrinth::kMaxDraws) {
      Aborted = true;
      return;
    }
    const int x = Rng.Below(w - 4) + 2, y = Rng.Below(h - 4) + 2;
    if (At(x, y) != Cell::Wall) continue;
    auto free = [&](int cx, int cy) { return At(cx, cy) == Cell::Free; };
    if (At(x - 1, y) == Cell::Wall && free(x, y - 1) && free(x - 1, y - 1) && free(x, y + 1) &&
        free(x - 1, y + 1)) {
      At(x, y) = At(x - 1, y) = Cell::Free;
      ++made;
    } else if (At(x, y - 1) == Cell::Wall && free(x - 1, y) && free(x - 1, y - 1) &&
               free(x + 1, y) && free(x + 1, y - 1)) {
      At(x, y) = At(x, y - 1) = Cell::Free;
      ++made;
    }
  }
  const int sx = Rng.Below(5) + 2 * (2 - compl_ + dim) + 10;
  const int sy = Rng.Below(5) + 2 * (2 - compl_ + dim) + 8;
  // A doorway in section k of a line: cell(along, across) is in the grid.
  auto doorway = [&](auto cell, int line, int k, int spacing) {
    int along = 0;
    for (int draw = 0; draw < 201; ++draw) {
      along = Rng.Below(spacing - 1) + k * spacing;
      if (cell(along, line - 1) != Cell::Wall && cell(along, line + 1) != Cell::Wall &&
          cell(along + 1, line - 1) != Cell::Wall && cell(along + 1, line + 1) != Cell::Wall)
        break;
    }
    cell(along, line) = Cell::Doorway;
    if (Rng.Fraction() < 0.5) cell(along + 1, line) = Cell::Doorway;
  };
  auto column = [&](int along, int across) -> char& { return At(across, along); };
  auto row = [&](int along, int across) -> char& { return At(along, across); };
  for (int x = sx - 1; x < w - sx; x += sx) {
    for (int y = 0; y < h; ++y) At(x, y) = Cell::Wall;
    for (int k = 0; k < h / sy; ++k) doorway(column, x, k, sy);
  }
  for (int y = sy - 1; y < h - sy; y += sy) {
    for (int x = 0; x < w; ++x) At(x, y) = Cell::Wall;
    for (int k = 0; k < w / sx; ++k) doorway(row, y, k, sx);
  }
}

// The maze keeps its state in locals, fills runs at once and skips the draws
// of a doorway that cannot fit: grid, random state and outcome must be the
// plain rules', on empty grids as in a level and on grids strewn with walls.
TEST(Layout, MazeMatchesThePlainRules) {
  Random noise(5);
  for (int trial = 0; trial < 90; ++trial) {
    const int dim = trial % 5, complexity = trial / 5 % 3;
    Labyrinth fastLab(dim, complexity, 0, 0, 1, 0, 500 + trial);
    Labyrinth slowLab(dim, complexity, 0, 0, 1, 0, 500 + trial);
    LabyrinthTestAccess fast{fastLab}, slow{slowLab};
    if (trial >= 45) fast.Fill({Cell::Free, Cell::Free, Cell::Free, Cell::Wall}, noise);
    slow.Cells = fast.Cells;
    fast.CarveMaze();
    slow.PlainCarveMaze();
    ASSERT_EQ(fast.Cells, slow.Cells) << trial;
    ASSERT_EQ(fast.Rng.State, slow.Rng.State) << trial;
    ASSERT_EQ(fast.Aborted, slow.Aborted) << trial;
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
