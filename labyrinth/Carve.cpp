#include "labyrinth/Labyrinth.h"

#include <algorithm>
#include <cstring>

namespace {
// The grid and the random source as locals of the maze's steps: a store
// through a char pointer may change any member of the labyrinth, so members
// would be reloaded, and the random state stored, after every cell written.
struct Maze {
  char* Cells;
  int Width;
  int Height;
  Random Rng;

  char* At(int x, int y) const { return Cells + x * Height + y; }
};

void AddRandomWall(Maze& m, const Random::Bound& belowWidth, const Random::Bound& belowHeight,
                   const Random::Bound& belowLength) {
  const int x = m.Rng.Below(belowWidth);
  const int y = m.Rng.Below(belowHeight);
  // The fraction's quarter picks the direction: up, right, down, left
  // (fraction < 0.25 exactly when the draw's top two bits are 0, and so on).
  const int quarter = m.Rng.Next() >> 13;
  const int length = m.Rng.Below(belowLength) + 1;
  // Room to the edge of the grid in that direction.
  const bool across = quarter & 1, forward = quarter == 1 || quarter == 2;
  const int along = across ? x : y, size = across ? m.Width : m.Height;
  const int cells = std::min(length, forward ? size - along : along + 1);
  char* cell = m.At(x, y);
  if (!across) {  // within the column: one run of cells
    std::memset(forward ? cell : cell - (cells - 1), Cell::Wall, static_cast<size_t>(cells));
    return;
  }
  const int step = forward ? m.Height : -m.Height;
  for (int i = cells; i > 0; --i, cell += step) *cell = Cell::Wall;
}

// One doorway in section k of a lattice line that starts at `line`, whose
// cells lie `along` apart and have their neighbours `across` either way. The
// first cell is drawn until neither doorway cell has a wall on either side,
// at most 201 times, the last draw standing; the second cell is opened half
// the time. belowSpacing is spacing - 1.
void PlaceDoorway(Maze& m, char* line, int along, int across, int k, int spacing,
                  const Random::Bound& belowSpacing) {
  char* const first = line + k * spacing * along;
  auto fits = [&](const char* cell) {
    // All four lie inside the grid: one test, one branch.
    return (cell[-across] != Cell::Wall) & (cell[across] != Cell::Wall) &
           (cell[along - across] != Cell::Wall) & (cell[along + across] != Cell::Wall);
  };
  auto draw = [&] { return first + m.Rng.Below(belowSpacing) * along; };
  auto anyFits = [&] {
    bool any = false;
    for (int i = 0; i < spacing - 1; ++i) any |= fits(first + i * along);
    return any;
  };
  constexpr int kDraws = 201, kTries = 8;
  char* cell = first;
  for (int made = 1; made <= kDraws; ++made) {
    if (fits(cell = draw())) break;
    if (made == kTries && !anyFits()) {
      // Where no place fits, all the draws are made and the last one stands:
      // the others are skipped.
      m.Rng.Skip(kDraws - kTries - 1);
      cell = draw();
      break;
    }
  }
  cell[0] = Cell::Doorway;
  if (m.Rng.Fraction() < 0.5) cell[along] = Cell::Doorway;
}
}  // namespace

void Labyrinth::CarveMaze() {
  Maze m{Cells.data(), Width, Height, Rng};
  const int height = Height;

  // Scattered short walls.
  const int base = static_cast<int>(MapDim * 0.5 * 50 + 50);
  const int walls = static_cast<int>(MapCompl * 0.25 * base + base);
  for (int i = 0; i < walls; ++i) AddRandomWall(m, BelowWidth, BelowHeight, BelowWallLength);

  // Two-cell openings through one-cell-thick walls with free cells on both sides.
  const int openings = 5 * (MapCompl + MapDim);
  const Random::Bound belowX(Width - 4), belowY(Height - 4);
  for (int made = 0, draws = 0; made < openings; ++draws) {
    if (draws == kMaxDraws) {
      Rng = m.Rng;
      Aborted = true;
      return;
    }
    const int x = m.Rng.Below(belowX) + 2;
    const int y = m.Rng.Below(belowY) + 2;
    // Most draws miss, most of them on a cell that is no wall at all.
    char* const cell = m.At(x, y);
    if (cell[0] != Cell::Wall) continue;
    // The neighbours lie inside the grid: read and tested together.
    const char left = cell[-height], right = cell[height];
    const char up = cell[-1], down = cell[1];
    const char upLeft = cell[-height - 1], downLeft = cell[-height + 1], upRight = cell[height - 1];
    // A wall running along the row, free above and below; else one running
    // along the column, free on the left and right.
    const bool inRow = (left == Cell::Wall) & (up == Cell::Free) &
                       (upLeft == Cell::Free) & (down == Cell::Free) & (downLeft == Cell::Free);
    const bool inColumn = (up == Cell::Wall) & (left == Cell::Free) &
                          (upLeft == Cell::Free) & (right == Cell::Free) & (upRight == Cell::Free);
    if (inRow | inColumn) {
      cell[0] = Cell::Free;
      cell[inRow ? -height : -1] = Cell::Free;
      ++made;
    }
  }

  // Lattice of full-length wall lines, one doorway per section between
  // crossings. A column is one run of cells.
  const int sx = m.Rng.Below(5) + 2 * (2 - MapCompl + MapDim) + 10;
  const int sy = m.Rng.Below(5) + 2 * (2 - MapCompl + MapDim) + 8;
  const Random::Bound doorwayX(sx - 1), doorwayY(sy - 1);
  for (int x = sx - 1; x < Width - sx; x += sx) {
    char* const column = m.At(x, 0);
    std::memset(column, Cell::Wall, static_cast<size_t>(height));
    for (int k = 0; k < height / sy; ++k) PlaceDoorway(m, column, 1, height, k, sy, doorwayY);
  }
  for (int y = sy - 1; y < height - sy; y += sy) {
    char* const row = m.At(0, y);
    for (int x = 0; x < Width; ++x) row[x * height] = Cell::Wall;
    for (int k = 0; k < Width / sx; ++k) PlaceDoorway(m, row, height, 1, k, sx, doorwayX);
  }
  Rng = m.Rng;
}
