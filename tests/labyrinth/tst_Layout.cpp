// The searches, checked against the plain recursion they stand for (the
// golden levels pin what the other fast layout steps draw), and the caps on
// endless draw loops.
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
  void CarveMaze() { Lab.CarveMaze(); }
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
