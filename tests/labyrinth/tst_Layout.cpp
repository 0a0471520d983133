// The searches' stamps wrapping around (the golden levels pin what the
// searches find otherwise), and the caps on endless draw loops.
#include <gtest/gtest.h>

#include <sstream>
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
  std::uint32_t& NextStamp = Lab.NextStamp;
  void CarveMaze() { Lab.CarveMaze(); }
  void PlaceMonsterMarks() { Lab.PlaceMonsterMarks(); }
  bool PlaceStart() { return Lab.PlaceStart(); }
  void Populate() { Lab.Populate(); }
};

namespace {

std::string LevelText(Labyrinth& lab) {
  std::ostringstream text;
  lab.Write(text);
  return text.str();
}

}  // namespace

// The searches keep their own stamps instead of marking the grid; when the
// stamps run out they start again from a cleared table, and the levels stay
// those of their seeds. (Many attempts: many searches around the wrap.)
TEST(Layout, SameLevelsAfterTheSearchStampsWrapAround) {
  const struct {
    LabyrinthOptions Options;
    std::uint32_t Seed, Left;  // stamps left before the wrap
  } cases[] = {{{0, 0, 0, 0, 1, 0}, 1, 0}, {{0, 0, 0, 0, 1, 0}, 1, 1}, {{0, 0, 0, 0, 1, 0}, 1, 2},
               {{0, 0, 0, 0, 1, 0}, 1, 3}, {{2, 2, 2, 2, 1, 2}, 123456, 16}};
  for (const auto& c : cases) {
    Labyrinth plain(c.Options, c.Seed), wrapped(c.Options, c.Seed);
    LabyrinthTestAccess{wrapped}.NextStamp = UINT32_MAX - c.Left;
    ASSERT_EQ(wrapped.GenerateLevel(), plain.GenerateLevel()) << c.Seed << " " << c.Left;
    EXPECT_LT(LabyrinthTestAccess{wrapped}.NextStamp, 1000u) << "wrapped around";
    EXPECT_EQ(LevelText(wrapped), LevelText(plain)) << c.Seed << " " << c.Left;
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
