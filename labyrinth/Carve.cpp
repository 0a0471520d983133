#include "labyrinth/Labyrinth.h"

#include <algorithm>

void Labyrinth::AddRandomWall() {
  const int x = Rng.Below(BelowWidth);
  const int y = Rng.Below(BelowHeight);
  // The fraction's quarter picks the direction: up, right, down, left
  // (fraction < 0.25 exactly when the draw's top two bits are 0, and so on).
  const int quarter = Rng.Next() >> 13;
  const int length = Rng.Below(BelowWallLength) + 1;
  // Room to the edge of the grid in that direction, and the step between
  // cells (column-major), without branches: the direction is random.
  const int room[4] = {y + 1, Width - x, Height - y, x + 1};
  const int step[4] = {-1, Height, 1, -Height};
  const int cells = std::min(length, room[quarter]);
  char* cell = &Grid(x, y);
  for (int i = 0; i < cells; ++i, cell += step[quarter]) *cell = Cell::Wall;
}

void Labyrinth::CarveMaze() {
  // Scattered short walls.
  const int base = static_cast<int>(MapDim * 0.5 * 50 + 50);
  const int walls = static_cast<int>(MapCompl * 0.25 * base + base);
  for (int i = 0; i < walls; ++i) AddRandomWall();

  // Two-cell openings through one-cell-thick walls with free cells on both sides.
  const int openings = 5 * (MapCompl + MapDim);
  const Random::Bound belowX(Width - 4), belowY(Height - 4);
  for (int made = 0, draws = 0; made < openings; ++draws) {
    if (draws == kMaxDraws) {
      Aborted = true;
      return;
    }
    const int x = Rng.Below(belowX) + 2;
    const int y = Rng.Below(belowY) + 2;
    // Most draws miss: all cells are read and tested together (they lie
    // inside the grid), so that a miss costs one well-predicted branch.
    const char here = Grid(x, y), left = Grid(x - 1, y), right = Grid(x + 1, y);
    const char up = Grid(x, y - 1), down = Grid(x, y + 1);
    const char upLeft = Grid(x - 1, y - 1), downLeft = Grid(x - 1, y + 1), upRight = Grid(x + 1, y - 1);
    const bool wall = here == Cell::Wall;
    // A wall running along the row, free above and below; else one running
    // along the column, free on the left and right.
    const bool inRow = wall & (left == Cell::Wall) & (up == Cell::Free) &
                       (upLeft == Cell::Free) & (down == Cell::Free) & (downLeft == Cell::Free);
    const bool inColumn = wall & (up == Cell::Wall) & (left == Cell::Free) &
                          (upLeft == Cell::Free) & (right == Cell::Free) & (upRight == Cell::Free);
    if (inRow | inColumn) {
      Grid(x, y) = Cell::Free;
      (inRow ? Grid(x - 1, y) : Grid(x, y - 1)) = Cell::Free;
      ++made;
    }
  }

  // Lattice of full-length wall lines, one doorway per section between crossings.
  const int sx = Rng.Below(5) + 2 * (2 - MapCompl + MapDim) + 10;
  const int sy = Rng.Below(5) + 2 * (2 - MapCompl + MapDim) + 8;
  const Random::Bound doorwayX(sx - 1), doorwayY(sy - 1);
  for (int x = sx - 1; x < Width - sx; x += sx) {
    for (int y = 0; y < Height; ++y) Grid(x, y) = Cell::Wall;
    for (int k = 0; k < Height / sy; ++k) PlaceDoorway(true, x, k, sy, doorwayY);
  }
  for (int y = sy - 1; y < Height - sy; y += sy) {
    for (int x = 0; x < Width; ++x) Grid(x, y) = Cell::Wall;
    for (int k = 0; k < Width / sx; ++k) PlaceDoorway(false, y, k, sx, doorwayX);
  }
}

// One doorway in section k of a lattice line: `along` runs with the line and
// `line` is the line's own column (vertical) or row. The first cell is drawn
// until neither doorway cell has a wall on either side, at most 201 times,
// the last draw standing; the second cell is opened half the time.
// belowSpacing is spacing - 1.
void Labyrinth::PlaceDoorway(bool vertical, int line, int k, int spacing,
                             const Random::Bound& belowSpacing) {
  auto cell = [&](int along, int across) -> char& {
    return vertical ? Grid(across, along) : Grid(along, across);
  };
  int along = 0;
  for (int draw = 0; draw < 201; ++draw) {
    along = Rng.Below(belowSpacing) + k * spacing;
    if (cell(along, line - 1) != Cell::Wall && cell(along, line + 1) != Cell::Wall &&
        cell(along + 1, line - 1) != Cell::Wall && cell(along + 1, line + 1) != Cell::Wall)
      break;
  }
  cell(along, line) = Cell::Doorway;
  if (Rng.Fraction() < 0.5) cell(along + 1, line) = Cell::Doorway;
}
