#include "labyrinth/Labyrinth.h"

#include <cmath>
#include <cstdint>

namespace {
double ScatterChance(int mapCompl, int mapDim) { return (mapCompl + mapDim + 1) * 0.01; }
constexpr int kMaxHeight = 65;  // the Very Big grid

// Counts the free cells of each of rows y .. y + Rows - 1 of a column-major
// grid into free.
template <int Rows>
void CountFreeRows(std::uint8_t* free, const char* cells, int width, int height, int y) {
  std::uint8_t sum[Rows] = {};
  for (int x = 0; x < width; ++x)
    for (int j = 0; j < Rows; ++j) sum[j] += cells[x * height + y + j] == Cell::Free;
  for (int j = 0; j < Rows; ++j) free[y + j] = sum[j];
}
}  // namespace

// draw / 32768 < p exactly when draw < ceil(p * 32768): the scaling is exact.
int Labyrinth::LowBlockThreshold() const {
  return static_cast<int>(std::ceil(ScatterChance(MapCompl, MapDim) * 32768.0));
}

// One draw per free cell in row order. Here only the draws of the first and
// last cell of each row are made, by skipping to them; the random source is
// left where all the draws would have left it.
void Labyrinth::PlaceEdgeLowBlocks() {
  const int width = Width, height = Height;
  const char* const cells = Cells.data();
  // Free cells per row, since this runs on every attempt: bytes (at most 90
  // per row) in a local array, in blocks of a fixed number of rows, each
  // summed over all columns before the next, many rows at a time.
  std::uint8_t free[kMaxHeight] = {};
  int y = 0;
  for (; y + 32 <= height; y += 32) CountFreeRows<32>(free, cells, width, height, y);
  for (; y + 16 <= height; y += 16) CountFreeRows<16>(free, cells, width, height, y);
  for (; y < height; ++y) CountFreeRows<1>(free, cells, width, height, y);

  const int threshold = LowBlockThreshold();
  LowBlockState = Rng.State;
  Random edge(Rng.State);
  int made = 0;   // draws made or skipped by `edge`
  int first = 0;  // index of the row's first draw
  for (int y = 0; y < height; ++y) {
    const int count = free[y];
    char& left = Grid(0, y);
    char& right = Grid(width - 1, y);
    const bool leftFree = left == Cell::Free, rightFree = right == Cell::Free;
    if (leftFree) {
      edge.Skip(static_cast<std::uint32_t>(first - made));
      made = first + 1;
      if (edge.Next() < threshold) left = Cell::LowBlock;
    }
    if (rightFree) {
      const int last = first + count - 1;
      edge.Skip(static_cast<std::uint32_t>(last - made));
      made = last + 1;
      if (edge.Next() < threshold) right = Cell::LowBlock;
    }
    RowDraws[static_cast<size_t>(y)] = first + (leftFree ? 1 : 0);
    first += count;
  }
  Rng.Skip(static_cast<std::uint32_t>(first));
}

// The draws of the cells between the edge columns, from the state and row
// indexes PlaceEdgeLowBlocks left; no other step changes those cells between.
void Labyrinth::PlaceInnerLowBlocks() {
  const int width = Width, height = Height;
  const int threshold = LowBlockThreshold();
  Random inner(LowBlockState);
  int made = 0;
  for (int y = 0; y < height; ++y) {
    inner.Skip(static_cast<std::uint32_t>(RowDraws[static_cast<size_t>(y)] - made));
    made = RowDraws[static_cast<size_t>(y)];
    for (int x = 1; x < width - 1; ++x) {
      char& cell = Grid(x, y);
      if (cell != Cell::Free) continue;
      ++made;
      if (inner.Next() < threshold) cell = Cell::LowBlock;
    }
  }
}

void Labyrinth::PlaceCrates() {
  const double p = ScatterChance(MapCompl, MapDim);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (Grid(x, y) == Cell::Free && Rng.Fraction() < p)
        Grid(x, y) = Rng.Fraction() < 0.3 ? Cell::TwoCrates : Cell::Crate;
}

void Labyrinth::PlaceMonsterMarks() {
  const bool big = MapDim > 2;
  const int guardRadius = big ? 10 : 5;
  const int startDistance = big ? 20 : 15;
  for (int i = 0; i < MonsterCount; ++i) {
    const bool guard = GameType == 1 && i < Skill + 3;
    int draw = 0;
    for (;; ++draw) {
      if (draw == kMaxDraws) {
        Aborted = true;
        return;
      }
      const int x = Rng.Below(BelowWidth);
      const int y = Rng.Below(BelowHeight);
      if (Grid(x, y) != Cell::Free) continue;
      const bool placed = guard ? CellDistance(x, y, ExitX, ExitY) <= guardRadius
                                : CellDistance(x, y, StartX, StartY) >= startDistance;
      if (placed) {
        Grid(x, y) = Cell::Monster;
        break;
      }
    }
  }
}
