#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"

namespace {
void Fill(Labyrinth& lab, char code) {
  for (int x = 0; x < lab.Width; ++x)
    for (int y = 0; y < lab.Height; ++y) lab.Grid(x, y) = code;
}

int Count(const Labyrinth& lab, char code) {
  int n = 0;
  for (int x = 0; x < lab.Width; ++x)
    for (int y = 0; y < lab.Height; ++y) n += lab.Grid(x, y) == code;
  return n;
}

bool HasMarks(const Labyrinth& lab) {
  return Count(lab, Cell::SeenFree) + Count(lab, Cell::SeenLowBlock) + Count(lab, Cell::SeenDoorway) > 0;
}

// The search as a plain recursion, to check the iterative one against.
bool ReferenceFindPath(Labyrinth& lab, int x, int y, int tx, int ty) {
  if (x == tx && y == ty) {
    lab.Grid(x, y) = Cell::SeenFree;
    return true;
  }
  char& c = lab.Grid(x, y);
  if (c == Cell::Wall || c == Cell::SeenFree || c == Cell::SeenLowBlock || c == Cell::SeenDoorway) return false;
  if (c == Cell::Free) c = Cell::SeenFree;
  else if (c == Cell::LowBlock) c = Cell::SeenLowBlock;
  else if (c == Cell::Doorway) c = Cell::SeenDoorway;
  return (x < lab.Width - 1 && ReferenceFindPath(lab, x + 1, y, tx, ty)) ||
         (x > 0 && ReferenceFindPath(lab, x - 1, y, tx, ty)) ||
         (y < lab.Height - 1 && ReferenceFindPath(lab, x, y + 1, tx, ty)) ||
         (y > 0 && ReferenceFindPath(lab, x, y - 1, tx, ty));
}

std::string GridText(const Labyrinth& lab) {
  std::string text;
  for (int y = 0; y < lab.Height; ++y)
    for (int x = 0; x < lab.Width; ++x) text += lab.Grid(x, y);
  return text;
}

// A small grid with the start and exit placed by hand.
void PlaceEnds(Labyrinth& lab, int startY, int exitY) {
  lab.StartX = 0;
  lab.StartY = startY;
  lab.ExitX = lab.Width - 1;
  lab.ExitY = exitY;
  lab.Grid(lab.StartX, lab.StartY) = Cell::Start;
  lab.Grid(lab.ExitX, lab.ExitY) = Cell::Exit;
}
}  // namespace

TEST(LabyrinthParameters, SizesOriginsAndCounts) {
  Labyrinth small(0, 0, 0, 0, 1, 0, 1);
  EXPECT_EQ(small.Width, 30);
  EXPECT_EQ(small.Height, 25);
  EXPECT_EQ(small.OriginX, -960);
  EXPECT_EQ(small.OriginY, 800);
  EXPECT_EQ(small.MonsterCount, 20);
  EXPECT_EQ(small.WeaponCount, 2);
  EXPECT_EQ(small.AmmoCount, 2);
  EXPECT_EQ(small.ItemCount, 2);

  const int widths[5] = {30, 45, 60, 75, 90}, heights[5] = {25, 35, 45, 55, 65};
  const int originX[5] = {-960, -1440, -1920, -2400, -2880}, originY[5] = {800, 1120, 1440, 1760, 2080};
  for (int dim = 0; dim < 5; ++dim) {
    Labyrinth lab(dim, 1, 1, 0, 1, 0, 1);
    EXPECT_EQ(lab.Width, widths[dim]);
    EXPECT_EQ(lab.Height, heights[dim]);
    EXPECT_EQ(lab.OriginX, originX[dim]);
    EXPECT_EQ(lab.OriginY, originY[dim]);
  }

  Labyrinth aliens(4, 2, 2, 3, 0, 2, 1);
  EXPECT_EQ(aliens.WeaponCount, 16);
  EXPECT_EQ(aliens.AmmoCount, 16);
  EXPECT_EQ(aliens.ItemCount, 14);
  Labyrinth assassins(4, 2, 2, 2, 0, 2, 1);
  EXPECT_EQ(assassins.WeaponCount, 14);
  EXPECT_EQ(assassins.ItemCount, 16);
}

TEST(LabyrinthParameters, MonsterCountTableIsBinding) {
  const int base20[5][3] = {{20, 30, 40}, {33, 49, 66}, {47, 70, 94}, {61, 91, 122}, {75, 112, 150}};
  const int base15[5][3] = {{15, 22, 30}, {25, 37, 50}, {35, 52, 70}, {46, 69, 92}, {56, 84, 112}};
  for (int dim = 0; dim < 5; ++dim)
    for (int skill = 0; skill < 3; ++skill)
      for (int type = 0; type < 4; ++type) {
        Labyrinth lab(dim, 0, skill, type, 0, 0, 1);
        const bool big = type == 0 || type == 3;
        EXPECT_EQ(lab.MonsterCount, big ? base20[dim][skill] : base15[dim][skill])
            << "dim " << dim << " skill " << skill << " type " << type;
      }
}

TEST(LabyrinthParameters, OutOfRangeOptionsAreRefused) {
  EXPECT_TRUE(ValidateOptions({}).Ok());
  LabyrinthOptions bad;
  bad.Friends = 7;
  EXPECT_NE(ValidateOptions(bad).Error().find("Friends must be 0 to 2"), std::string::npos);
}

TEST(LabyrinthParameters, CellDistanceRoundsDown) {
  EXPECT_EQ(Labyrinth::CellDistance(4, 4, 4, 4), 0);
  EXPECT_EQ(Labyrinth::CellDistance(0, 0, 3, 4), 5);
  EXPECT_EQ(Labyrinth::CellDistance(0, 0, 1, 1), 1);
  EXPECT_EQ(Labyrinth::CellDistance(0, 0, 5, 3), 5);  // sqrt 34
  EXPECT_EQ(Labyrinth::CellDistance(0, 0, 6, 0), 6);
  EXPECT_EQ(Labyrinth::CellDistance(5, 4, 0, 0), 6);  // sqrt 41
}

TEST(MazeCarving, WritesOnlyWallsDoorwaysAndFloorAndLatticeCountsFitTheGrid) {
  for (int dim = 0; dim < 5; ++dim)
    for (int compl_ = 0; compl_ < 3; ++compl_)
      for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        Labyrinth lab(dim, compl_, 1, 0, 1, 0, seed);
        Fill(lab, Cell::Free);
        lab.CarveMaze();
        ASSERT_FALSE(lab.Aborted);
        int fullColumns = 0;
        for (int x = 0; x < lab.Width; ++x) {
          bool full = true;
          for (int y = 0; y < lab.Height; ++y) {
            const char c = lab.Grid(x, y);
            ASSERT_TRUE(c == Cell::Free || c == Cell::Wall || c == Cell::Doorway) << c;
            // Lattice columns hold only walls and doorways, and at least one doorway.
            full = full && (c == Cell::Wall || c == Cell::Doorway);
          }
          fullColumns += full;
        }
        const int maxLines[5][3] = {{1, 1, 2}, {1, 2, 2}, {2, 2, 3}, {2, 3, 3}, {3, 3, 4}};
        EXPECT_LE(fullColumns, maxLines[dim][compl_]) << dim << " " << compl_ << " " << seed;
      }
}

TEST(MazeCarving, VerySmallLowMakesNoOpenings) {
  // No openings means the spacings are the draws right after the four per
  // scattered wall: the lattice lines must stand where those draws put them.
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    Labyrinth lab(0, 0, 0, 0, 1, 0, seed);
    Fill(lab, Cell::Free);
    lab.CarveMaze();
    Random replay(seed);
    for (int i = 0; i < 50 * 4; ++i) replay.Next();
    const int sx = replay.Below(5) + 14, sy = replay.Below(5) + 12;
    const bool vertical = sx - 1 < lab.Width - sx, horizontal = sy - 1 < lab.Height - sy;
    int wallColumn = 0, wallRow = 0;
    if (vertical) {
      for (int y = 0; y < lab.Height; ++y) wallColumn += lab.Grid(sx - 1, y) != Cell::Free;
      EXPECT_EQ(wallColumn, lab.Height);
    }
    if (horizontal) {
      for (int x = 0; x < lab.Width; ++x) wallRow += lab.Grid(x, sy - 1) != Cell::Free;
      EXPECT_EQ(wallRow, lab.Width);
    }
    // A lattice column is all walls and doorways with a doorway in it; scattered
    // walls never make doorways, so there is one exactly when the spacing allows.
    int latticeColumns = 0;
    for (int x = 0; x < lab.Width; ++x) {
      bool full = true, door = false;
      for (int y = 0; y < lab.Height; ++y) {
        full = full && lab.Grid(x, y) != Cell::Free;
        door = door || lab.Grid(x, y) == Cell::Doorway;
      }
      latticeColumns += full && door;
    }
    EXPECT_EQ(latticeColumns, vertical ? 1 : 0) << "seed " << seed << " sx " << sx;
  }
}

TEST(MazeCarving, OpeningsThatCanNeverBeFoundEndTheAttempt) {
  // A grid already all walls offers no wall pair with free cells beside it.
  Labyrinth lab(0, 1, 0, 0, 1, 0, 4);
  Fill(lab, Cell::Wall);
  const std::uint32_t before = lab.Rng.State;
  lab.CarveMaze();
  EXPECT_TRUE(lab.Aborted);
  Random replay(before);
  for (int i = 0; i < 62 * 4 + 2 * Labyrinth::kMaxDraws; ++i) replay.Next();
  EXPECT_EQ(lab.Rng.State, replay.State) << "62 walls, then exactly the capped opening draws";
}

// The search visits cells in its own order: the outcome must match the
// recursion, and so must the marks whenever the whole region was searched
// (no target, or one not reached). Once marks are cleared the grids agree.
TEST(Reachability, SearchMatchesTheRecursionInOutcomeAndMarks) {
  Random noise(42);
  const char codes[] = {Cell::Free, Cell::Free, Cell::Free, Cell::Wall, Cell::Wall, Cell::LowBlock, Cell::Doorway};
  int reached = 0;
  for (int trial = 0; trial < 300; ++trial) {
    Labyrinth a(0, 0, 0, 0, 1, 0, 1), b(0, 0, 0, 0, 1, 0, 1);
    for (int x = 0; x < a.Width; ++x)
      for (int y = 0; y < a.Height; ++y) a.Grid(x, y) = b.Grid(x, y) = codes[noise.Below(7)];
    const int sy = noise.Below(a.Height), ey = noise.Below(a.Height);
    PlaceEnds(a, sy, ey);
    PlaceEnds(b, sy, ey);
    const bool toExit = trial % 2 == 0;
    const int tx = toExit ? a.ExitX : -1, ty = toExit ? a.ExitY : -1;
    const bool got = a.FindPath(0, sy, tx, ty);
    const bool want = ReferenceFindPath(b, 0, sy, tx, ty);
    ASSERT_EQ(got, want) << trial;
    if (!got) {
      ASSERT_EQ(GridText(a), GridText(b)) << trial;
    }
    a.ClearMarks();
    b.ClearMarks();
    ASSERT_EQ(GridText(a), GridText(b)) << trial;
    reached += got;
  }
  EXPECT_GT(reached, 20);
  EXPECT_LT(reached, 280) << "most trials should search a whole region";
}

TEST(Reachability, StartNeedsAFreeCellInColumnZero) {
  Labyrinth lab(0, 0, 0, 0, 1, 0, 9);
  Fill(lab, Cell::Free);
  for (int y = 0; y < lab.Height; ++y) lab.Grid(0, y) = "Xxz"[y % 3];
  const std::uint32_t before = lab.Rng.State;
  EXPECT_FALSE(lab.PlaceStart());
  Random replay(before);
  for (int i = 0; i < 50; ++i) replay.Next();
  EXPECT_EQ(lab.Rng.State, replay.State) << "exactly 50 draws";

  lab.Grid(0, 7) = Cell::Free;
  for (int i = 0; i < 20 && !lab.PlaceStart(); ++i) {}
  EXPECT_EQ(lab.StartX, 0);
  EXPECT_EQ(lab.StartY, 7);
  EXPECT_EQ(lab.Grid(0, 7), Cell::Start);
  Fill(lab, Cell::Free);
  ASSERT_TRUE(lab.PlaceExit());
  EXPECT_EQ(lab.ExitX, lab.Width - 1);
  EXPECT_EQ(lab.Grid(lab.ExitX, lab.ExitY), Cell::Exit);
}

TEST(Reachability, PathThroughDoorwaysAndLowBlocksIsAccepted) {
  Labyrinth lab(0, 0, 0, 0, 1, 0, 1);
  Fill(lab, Cell::Wall);
  for (int x = 0; x < lab.Width; ++x) lab.Grid(x, 3) = "zx"[x % 2];
  PlaceEnds(lab, 3, 3);
  EXPECT_TRUE(lab.CheckPath());
  EXPECT_FALSE(HasMarks(lab));
  EXPECT_EQ(lab.Grid(lab.ExitX, 3), Cell::Exit);
  EXPECT_EQ(lab.Grid(0, 3), Cell::Start);
  EXPECT_EQ(lab.Grid(1, 3), Cell::LowBlock);
  EXPECT_EQ(lab.Grid(2, 3), Cell::Doorway);
}

TEST(Reachability, SeparatedRegionsAreRejectedWithoutMarks) {
  Labyrinth lab(0, 0, 0, 0, 1, 0, 1);
  Fill(lab, Cell::Free);
  for (int y = 0; y < lab.Height; ++y) lab.Grid(15, y) = Cell::Wall;
  lab.Grid(3, 3) = Cell::LowBlock;
  lab.Grid(4, 3) = Cell::Doorway;
  PlaceEnds(lab, 5, 9);
  EXPECT_FALSE(lab.CheckPath());
  EXPECT_FALSE(HasMarks(lab));
  EXPECT_EQ(lab.Grid(0, 5), Cell::Start);
  EXPECT_EQ(lab.Grid(lab.Width - 1, 9), Cell::Exit);
  EXPECT_EQ(lab.Grid(3, 3), Cell::LowBlock);
  EXPECT_EQ(lab.Grid(4, 3), Cell::Doorway);
}

TEST(Reachability, UnreachablePocketBecomesUButItsDoorwayStays) {
  Labyrinth lab(0, 0, 0, 0, 1, 0, 1);
  Fill(lab, Cell::Free);
  // A walled pocket at x 10..14, y 10..14 holding floor, a low block and a
  // doorway in its wall that leads only inside.
  for (int x = 9; x <= 15; ++x) lab.Grid(x, 9) = lab.Grid(x, 15) = Cell::Wall;
  for (int y = 9; y <= 15; ++y) lab.Grid(9, y) = lab.Grid(15, y) = Cell::Wall;
  lab.Grid(12, 12) = Cell::LowBlock;
  lab.Grid(12, 13) = Cell::Doorway;
  lab.Grid(20, 20) = Cell::LowBlock;  // reachable low block
  PlaceEnds(lab, 0, 0);
  ASSERT_TRUE(lab.CheckPath());
  lab.MarkUnreachable();
  EXPECT_FALSE(HasMarks(lab));
  EXPECT_EQ(lab.Grid(10, 10), Cell::Unreachable);
  EXPECT_EQ(lab.Grid(12, 12), Cell::Unreachable);
  EXPECT_EQ(lab.Grid(12, 13), Cell::Doorway);
  EXPECT_EQ(lab.Grid(9, 9), Cell::Wall);
  EXPECT_EQ(lab.Grid(20, 20), Cell::LowBlock);
  EXPECT_EQ(lab.Grid(1, 1), Cell::Free);
  EXPECT_EQ(Count(lab, Cell::Unreachable), 5 * 5 - 1);
  EXPECT_EQ(lab.Grid(0, 0), Cell::Start);
  EXPECT_EQ(lab.Grid(lab.Width - 1, 0), Cell::Exit);
}

TEST(Scatter, MonsterCellsKeepTheirDistances) {
  for (int dim : {0, 3}) {
    for (int game : {0, 1}) {
      Labyrinth lab(dim, 1, 2, 0, game, 0, 5);
      Fill(lab, Cell::Free);
      PlaceEnds(lab, lab.Height / 2, lab.Height / 3);
      lab.PlaceMonsterMarks();
      ASSERT_FALSE(lab.Aborted);
      EXPECT_EQ(Count(lab, Cell::Monster), lab.MonsterCount);
      const int guard = dim > 2 ? 10 : 5, far = dim > 2 ? 20 : 15;
      int nearExit = 0;
      for (int x = 0; x < lab.Width; ++x)
        for (int y = 0; y < lab.Height; ++y) {
          if (lab.Grid(x, y) != Cell::Monster) continue;
          const bool isGuard = Labyrinth::CellDistance(x, y, lab.ExitX, lab.ExitY) <= guard;
          nearExit += isGuard;
          if (!isGuard || game == 0) {
            EXPECT_GE(Labyrinth::CellDistance(x, y, lab.StartX, lab.StartY), far);
          }
        }
      if (game == 1) {
        EXPECT_GE(nearExit, lab.Skill + 3);
      }
    }
  }
}

TEST(Scatter, FindTheExitGuardsComeFirstInDrawOrder) {
  for (int dim : {1, 4}) {
    Labyrinth lab(dim, 1, 2, 0, 1, 0, 8);
    Fill(lab, Cell::Free);
    for (int y = 0; y < lab.Height; y += 3) lab.Grid(lab.Width / 2, y) = Cell::Wall;
    PlaceEnds(lab, 2, lab.Height - 3);
    const std::uint32_t before = lab.Rng.State;
    lab.PlaceMonsterMarks();
    ASSERT_FALSE(lab.Aborted);

    // Replay the pairs of draws: each pair landing on a cell the real run
    // marked, still unmarked here, and fitting the rule of its turn is the
    // next monster.
    const int guard = dim > 2 ? 10 : 5, far = dim > 2 ? 20 : 15;
    Random replay(before);
    std::vector<char> taken(static_cast<size_t>(lab.Width * lab.Height), 0);
    for (int i = 0; i < lab.MonsterCount; ++i) {
      for (int draws = 0;; ++draws) {
        ASSERT_LT(draws, Labyrinth::kMaxDraws);
        const int x = replay.Below(lab.Width), y = replay.Below(lab.Height);
        char& seen = taken[static_cast<size_t>(x * lab.Height + y)];
        if (lab.Grid(x, y) != Cell::Monster || seen) continue;
        const int toExit = Labyrinth::CellDistance(x, y, lab.ExitX, lab.ExitY);
        const int toStart = Labyrinth::CellDistance(x, y, lab.StartX, lab.StartY);
        if (i < lab.Skill + 3 ? toExit > guard : toStart < far) continue;
        seen = 1;
        break;
      }
    }
    EXPECT_EQ(replay.State, lab.Rng.State) << "no draw more or less than the rule needs";
    EXPECT_EQ(Count(lab, Cell::Monster), lab.MonsterCount);
  }
}

TEST(Scatter, LowBlocksAndCratesOnlyReplaceFreeCells) {
  Labyrinth lab(4, 2, 1, 0, 1, 0, 3);
  Random noise(1);
  for (int x = 0; x < lab.Width; ++x)
    for (int y = 0; y < lab.Height; ++y) lab.Grid(x, y) = " XzU"[noise.Below(4)];
  const std::string before = GridText(lab);
  lab.PlaceLowBlocks();
  lab.PlaceCrates();
  const std::string after = GridText(lab);
  int changed = 0, free = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    free += before[i] == Cell::Free;
    if (before[i] != after[i]) {
      ++changed;
      EXPECT_EQ(before[i], Cell::Free);
      EXPECT_TRUE(after[i] == Cell::LowBlock || after[i] == Cell::Crate || after[i] == Cell::TwoCrates);
    }
  }
  // About 7 % each on Very Big, High complexity.
  EXPECT_GT(changed, free * 8 / 100);
  EXPECT_LT(changed, free * 20 / 100);
}

TEST(DrawCaps, EndlessDrawLoopsGiveUpAndRejectTheAttempt) {
  Labyrinth lab(0, 0, 0, 0, 1, 0, 11);
  Fill(lab, Cell::Wall);
  PlaceEnds(lab, 0, 0);
  int x = -1, y = -1;
  const std::uint32_t before = lab.Rng.State;
  EXPECT_FALSE(lab.DrawFreeCell(x, y));
  EXPECT_TRUE(lab.Aborted);
  Random replay(before);
  for (int i = 0; i < 2 * Labyrinth::kMaxDraws; ++i) replay.Next();
  EXPECT_EQ(lab.Rng.State, replay.State);

  lab.Aborted = false;
  lab.Grid(20, 20) = Cell::Free;  // free, but far from the start
  EXPECT_FALSE(lab.DrawNearStartCell(x, y));
  EXPECT_TRUE(lab.Aborted);

  lab.Aborted = false;
  lab.PlaceMonsterMarks();  // one free cell for 20 monsters
  EXPECT_TRUE(lab.Aborted);
  EXPECT_LE(Count(lab, Cell::Monster), 1);
}

TEST(Generation, RejectedAttemptsAddNothingAndTheGridEndsClean) {
  int sawRejection = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    Labyrinth lab(4, 2, 2, 0, 1, 0, seed);
    const int attempt = lab.GenerateLevel();
    if (attempt == 0) continue;
    Labyrinth replay(4, 2, 2, 0, 1, 0, seed);
    for (int i = 1; i < attempt; ++i) {
      ASSERT_FALSE(replay.Generate());
      ASSERT_EQ(replay.NumBlocks(), 0);
      ASSERT_EQ(replay.NumEntities(), 0);
      ASSERT_TRUE(replay.LayoutPreview().empty());
      ++sawRejection;
    }
    ASSERT_TRUE(replay.Generate());
    EXPECT_EQ(replay.NumBlocks(), lab.NumBlocks());
    EXPECT_EQ(replay.LayoutPreview(), lab.LayoutPreview());
    // Preview: Height lines of Width codes, start and exit on their edges.
    EXPECT_EQ(lab.StartX, 0);
    EXPECT_EQ(lab.ExitX, lab.Width - 1);
    const std::string& preview = lab.LayoutPreview();
    ASSERT_EQ(preview.size(), static_cast<size_t>((lab.Width + 1) * lab.Height));
    EXPECT_EQ(preview[static_cast<size_t>(lab.StartY * (lab.Width + 1))], Cell::Start);
    EXPECT_EQ(preview[static_cast<size_t>(lab.ExitY * (lab.Width + 1) + lab.Width - 1)], Cell::Exit);
    EXPECT_EQ(preview.find_first_of("VvZB"), std::string::npos);
    for (int x = 0; x < lab.Width; ++x)
      for (int y = 0; y < lab.Height; ++y) {
        const char c = lab.Grid(x, y);
        ASSERT_TRUE(c != Cell::Wall && c != Cell::LowBlock && c != Cell::Doorway && c != Cell::SeenFree && c != Cell::SeenLowBlock && c != Cell::SeenDoorway) << c;
      }
  }
  EXPECT_GT(sawRejection, 0) << "Very Big / High should reject some attempts";
}

TEST(Scatter, LowBlocksMatchACellByCellScan) {
  // The scan hands out draws made ahead; it must equal one draw per free cell
  // in row order, and leave the random source where that would.
  Random noise(77);
  for (int trial = 0; trial < 60; ++trial) {
    const int dim = trial % 5, compl_ = trial % 3;
    Labyrinth fast(dim, compl_, 0, 0, 1, 0, 1000 + trial), slow(dim, compl_, 0, 0, 1, 0, 1000 + trial);
    for (int x = 0; x < fast.Width; ++x)
      for (int y = 0; y < fast.Height; ++y) fast.Grid(x, y) = slow.Grid(x, y) = " X z"[noise.Below(4)];
    fast.PlaceLowBlocks();
    const double p = (compl_ + dim + 1) * 0.01;
    for (int y = 0; y < slow.Height; ++y)
      for (int x = 0; x < slow.Width; ++x)
        if (slow.Grid(x, y) == Cell::Free && slow.Rng.Fraction() < p) slow.Grid(x, y) = Cell::LowBlock;
    ASSERT_EQ(GridText(fast), GridText(slow)) << trial;
    ASSERT_EQ(fast.Rng.State, slow.Rng.State) << trial;
  }
}

TEST(Reachability, SearchEndsWhenUnmarkedCodesTouch) {
  // Start and exit side by side, and a region of codes the search never
  // marks: each cell is still expanded once.
  Labyrinth lab(0, 0, 0, 0, 1, 0, 5);
  Fill(lab, Cell::Unreachable);
  lab.Grid(0, 0) = Cell::Start;
  lab.Grid(1, 0) = Cell::Exit;
  lab.Grid(2, 0) = Cell::Free;
  EXPECT_FALSE(lab.FindPath(0, 0, -1, -1));
  EXPECT_EQ(lab.Grid(2, 0), Cell::SeenFree);
  EXPECT_EQ(Count(lab, Cell::Unreachable), lab.Width * lab.Height - 3);
}

TEST(Generation, LayoutEqualsTheStepsRunOneAfterAnother) {
  // Generate decides the inner low blocks only once the path check passed;
  // the layout must be the one the steps give in their plain order.
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    const int dim = static_cast<int>(seed % 5), compl_ = static_cast<int>(seed % 3);
    Labyrinth lab(dim, compl_, 2, 0, 1, 0, seed), steps(dim, compl_, 2, 0, 1, 0, seed);
    const int attempt = lab.GenerateLevel();
    if (attempt == 0) continue;
    int tries = 0;
    std::string layout;
    while (layout.empty()) {
      ++tries;
      Fill(steps, Cell::Free);
      steps.CarveMaze();
      steps.PlaceLowBlocks();
      if (!steps.PlaceStart() || !steps.PlaceExit() || !steps.CheckPath()) continue;
      steps.MarkUnreachable();
      steps.PlaceCrates();
      steps.PlaceMonsterMarks();
      for (int y = 0; y < steps.Height; ++y) {
        for (int x = 0; x < steps.Width; ++x) layout += steps.Grid(x, y);
        layout += '\n';
      }
    }
    EXPECT_EQ(tries, attempt) << seed;
    EXPECT_EQ(layout, lab.LayoutPreview()) << seed;
  }
}
