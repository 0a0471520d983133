#include "labyrinth/Labyrinth.h"

namespace {
// Random integer below n, the same value as Random::Below, by multiplication
// instead of division: exact for 15-bit draws and n below 2^17. The openings
// loop draws thousands of these on every attempt.
class Below {
 public:
  explicit Below(int n)
      : N(static_cast<std::uint32_t>(n)), M(0xffffffffull / static_cast<std::uint32_t>(n) + 1) {}
  int operator()(Random& rng) const {
    const auto d = static_cast<std::uint32_t>(rng.Next());
    const auto q = static_cast<std::uint32_t>((d * M) >> 32);
    return static_cast<int>(d - q * N);
  }

 private:
  std::uint32_t N;
  std::uint64_t M;
};
}  // namespace

void Labyrinth::AddRandomWall() {
  const int x = Rng.Below(Width);
  const int y = Rng.Below(Height);
  const double r = Rng.Fraction();
  int dx = 0, dy = 0;
  if (r < 0.25) dy = -1;
  else if (r < 0.5) dx = 1;
  else if (r < 0.75) dy = 1;
  else dx = -1;
  const int length = Rng.Below(4 * MapDim + 4) + 1;
  // Cut short at the edge of the grid.
  const int room = dx > 0 ? Width - x : dx < 0 ? x + 1 : dy > 0 ? Height - y : y + 1;
  const int cells = length < room ? length : room;
  const int step = dx * Height + dy;  // column-major
  char* cell = &Grid(x, y);
  for (int i = 0; i < cells; ++i, cell += step) *cell = 'X';
}

void Labyrinth::CarveMaze() {
  // Scattered short walls.
  const int base = static_cast<int>(MapDim * 0.5 * 50 + 50);
  const int walls = static_cast<int>(MapCompl * 0.25 * base + base);
  for (int i = 0; i < walls; ++i) AddRandomWall();

  // Two-cell openings through one-cell-thick walls with free cells on both sides.
  const int openings = 5 * (MapCompl + MapDim);
  const Below belowX(Width - 4), belowY(Height - 4);
  for (int made = 0, draws = 0; made < openings; ++draws) {
    if (draws == kMaxDraws) {
      Aborted = true;
      return;
    }
    const int x = belowX(Rng) + 2;
    const int y = belowY(Rng) + 2;
    if (Grid(x, y) == 'X' && Grid(x - 1, y) == 'X' && Grid(x, y - 1) == ' ' &&
        Grid(x - 1, y - 1) == ' ' && Grid(x, y + 1) == ' ' && Grid(x - 1, y + 1) == ' ') {
      Grid(x - 1, y) = ' ';
      Grid(x, y) = ' ';
      ++made;
    } else if (Grid(x, y) == 'X' && Grid(x, y - 1) == 'X' && Grid(x - 1, y) == ' ' &&
               Grid(x - 1, y - 1) == ' ' && Grid(x + 1, y) == ' ' && Grid(x + 1, y - 1) == ' ') {
      Grid(x, y - 1) = ' ';
      Grid(x, y) = ' ';
      ++made;
    }
  }

  // Lattice of full-length wall lines, one doorway per section between crossings.
  const int sx = Rng.Below(5) + 2 * (2 - MapCompl + MapDim) + 10;
  const int sy = Rng.Below(5) + 2 * (2 - MapCompl + MapDim) + 8;
  for (int x = sx - 1; x < Width - sx; x += sx) {
    for (int y = 0; y < Height; ++y) Grid(x, y) = 'X';
    for (int k = 0; k < Height / sy; ++k) PlaceDoorway(true, x, k, sy);
  }
  for (int y = sy - 1; y < Height - sy; y += sy) {
    for (int x = 0; x < Width; ++x) Grid(x, y) = 'X';
    for (int k = 0; k < Width / sx; ++k) PlaceDoorway(false, y, k, sx);
  }
}

// One doorway in section k of a lattice line: `along` runs with the line and
// `line` is the line's own column (vertical) or row. The first cell is drawn
// until neither doorway cell has a wall on either side, at most 201 times,
// the last draw standing; the second cell is opened half the time.
void Labyrinth::PlaceDoorway(bool vertical, int line, int k, int spacing) {
  auto cell = [&](int along, int across) -> char& {
    return vertical ? Grid(across, along) : Grid(along, across);
  };
  int along = 0;
  for (int draw = 0; draw < 201; ++draw) {
    along = Rng.Below(spacing - 1) + k * spacing;
    if (cell(along, line - 1) != 'X' && cell(along, line + 1) != 'X' &&
        cell(along + 1, line - 1) != 'X' && cell(along + 1, line + 1) != 'X')
      break;
  }
  cell(along, line) = 'z';
  if (Rng.Fraction() < 0.5) cell(along + 1, line) = 'z';
}
