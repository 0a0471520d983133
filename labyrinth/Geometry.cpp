// World brushes: six enclosing slabs, then one box per straight run of equal
// wall cells, so a long wall line costs a single brush.
#include <memory>

#include "labyrinth/Labyrinth.h"

namespace {
const char* const kCeilingTexture = "GRAY      ";
const char* const kFloorTexture = "FLOOR32     ";
const char* const kOuterWallTexture = "BRICK40      ";
const char* const kRunTexture = "BRICK49      ";
// Low blocks stand this high whatever the wall height.
constexpr int kLowBlockHeight = 56;

bool IsRunCode(char c) { return c == Cell::Wall || c == Cell::LowBlock || c == Cell::Doorway; }
}  // namespace

void Labyrinth::BuildGeometry() {
  const int w = Width * CellSize;
  const int d = Height * CellSize;
  const int t = SlabThickness;
  const int h = WallHeight;
  const int ox = OriginX;
  const int oy = OriginY;

  AddBlock(std::make_unique<HLRectBlock>(HLPoint{ox, oy, h + t}, w, d, t, kCeilingTexture));
  AddBlock(std::make_unique<HLRectBlock>(HLPoint{ox, oy, 0}, w, d, t, kFloorTexture));
  // The outer walls span exactly the grid's sides; the corner columns stay empty.
  AddBlock(std::make_unique<HLRectBlock>(HLPoint{ox, oy - d, h}, w, t, h, kOuterWallTexture));
  AddBlock(std::make_unique<HLRectBlock>(HLPoint{ox + w, oy, h}, t, d, h, kOuterWallTexture));
  AddBlock(std::make_unique<HLRectBlock>(HLPoint{ox, oy + t, h}, w, t, h, kOuterWallTexture));
  AddBlock(std::make_unique<HLRectBlock>(HLPoint{ox - t, oy, h}, t, d, h, kOuterWallTexture));

  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const char c = Grid(x, y);
      if (IsRunCode(c)) BuildRun(x, y, c);
    }
}

void Labyrinth::BuildRun(int x, int y, char code) {
  int top = WallHeight;
  int dz = WallHeight;
  if (code == Cell::LowBlock) {
    top = kLowBlockHeight;
    dz = kLowBlockHeight;
  } else if (code == Cell::Doorway) {
    dz = WallHeight / 3;  // a lintel hanging from the ceiling
  }

  int across = 1;
  while (x + across < Width && Grid(x + across, y) == code) ++across;
  int down = 1;
  while (y + down < Height && Grid(x, y + down) == code) ++down;

  // Ties and single cells go horizontal.
  const bool vertical = down > across;
  const int n = vertical ? down : across;
  for (int i = 0; i < n; ++i) {
    if (vertical)
      Grid(x, y + i) = Cell::Built;
    else
      Grid(x + i, y) = Cell::Built;
  }

  const HLPoint corner{OriginX + x * CellSize, OriginY - y * CellSize, top};
  if (vertical)
    AddBlock(std::make_unique<HLRectBlock>(corner, CellSize, n * CellSize, dz, kRunTexture));
  else
    AddBlock(std::make_unique<HLRectBlock>(corner, n * CellSize, CellSize, dz, kRunTexture));
}
