#include "labyrinth/Labyrinth.h"

namespace {
double ScatterChance(int mapCompl, int mapDim) { return (mapCompl + mapDim + 1) * 0.01; }
}  // namespace

void Labyrinth::PlaceLowBlocks() {
  const double p = ScatterChance(MapCompl, MapDim);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (Grid(x, y) == ' ' && Rng.Fraction() < p) Grid(x, y) = 'x';
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
