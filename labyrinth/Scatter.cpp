#include "labyrinth/Labyrinth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
double ScatterChance(int mapCompl, int mapDim) { return (mapCompl + mapDim + 1) * 0.01; }

constexpr int kMaxCells = 90 * 65;  // the Very Big grid
constexpr int kLanes = 4;
constexpr std::uint32_t kMul = 22695477u, kAdd = 1u;
}  // namespace

// Runs on every attempt and draws once per free cell, so it is the hottest
// loop of a rejected attempt. The draws do not depend on the grid, only their
// number does: they are made ahead in independent lanes (the same sequence),
// then the scan hands them out to the free cells without branching.
void Labyrinth::PlaceLowBlocks() {
  const double p = ScatterChance(MapCompl, MapDim);
  // draw / 32768 < p exactly when draw < ceil(p * 32768): the scaling is exact.
  const int threshold = static_cast<int>(std::ceil(p * 32768.0));
  const int draws = static_cast<int>(std::count(Cells.begin(), Cells.end(), ' '));

  // States after 1, 2, ... draws; padded so the scan may read one past the last.
  std::array<std::uint32_t, kMaxCells + kLanes + 1> states;
  std::uint32_t lane[kLanes];
  std::uint32_t jumpMul = 1, jumpAdd = 0;  // kLanes steps at once
  std::uint32_t s = Rng.State;
  for (int i = 0; i < kLanes; ++i) {
    s = s * kMul + kAdd;
    lane[i] = s;
    jumpMul *= kMul;
    jumpAdd = jumpAdd * kMul + kAdd;
  }
  for (int k = 0; k < draws + 1; k += kLanes)
    for (int i = 0; i < kLanes; ++i) {
      states[static_cast<size_t>(k + i)] = lane[i];
      lane[i] = lane[i] * jumpMul + jumpAdd;
    }

  // Locals, since stores through char may alias the object's fields.
  const int width = Width, height = Height;
  char* const cells = Cells.data();
  const std::uint32_t* const state = states.data();
  int next = 0;
  for (int y = 0; y < height; ++y) {
    char* cell = cells + y;  // column-major: step Height cells to the next x
    for (int x = 0; x < width; ++x, cell += height) {
      const char c = *cell;
      const bool free = c == ' ';
      const int draw = static_cast<int>((state[next] >> 16) & 0x7fffu);
      *cell = free & (draw < threshold) ? 'x' : c;
      next += free;
    }
  }
  if (draws > 0) Rng.State = states[static_cast<size_t>(draws - 1)];
}

void Labyrinth::PlaceCrates() {
  const double p = ScatterChance(MapCompl, MapDim);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (Grid(x, y) == ' ' && Rng.Fraction() < p) Grid(x, y) = Rng.Fraction() < 0.3 ? 'Y' : 'y';
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
      const int x = Rng.Below(Width);
      const int y = Rng.Below(Height);
      if (Grid(x, y) != ' ') continue;
      const bool placed = guard ? CellDistance(x, y, ExitX, ExitY) <= guardRadius
                                : CellDistance(x, y, StartX, StartY) >= startDistance;
      if (placed) {
        Grid(x, y) = 'M';
        break;
      }
    }
  }
}
