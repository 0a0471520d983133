#include "labyrinth/Labyrinth.h"

namespace {
char Unmarked(char c) { return c == 'V' ? ' ' : c == 'v' ? 'x' : c == 'Z' ? 'z' : c; }
}  // namespace

// Up to 50 row draws for a free cell in column x; the row field is written on
// every draw, as the later steps read it whatever the outcome.
bool Labyrinth::PlaceOnEdge(int x, int& row, char code) {
  for (int draw = 0; draw < 50; ++draw) {
    row = Rng.Below(Height);
    if (Grid(x, row) == ' ') {
      Grid(x, row) = code;
      return true;
    }
  }
  return false;
}

bool Labyrinth::PlaceStart() {
  StartX = 0;
  return PlaceOnEdge(StartX, StartY, 'P');
}

bool Labyrinth::PlaceExit() {
  ExitX = Width - 1;
  return PlaceOnEdge(ExitX, ExitY, 'E');
}

// Depth-first search with an explicit stack of frames (x << 16 | y << 3 |
// next direction), visiting neighbours in the same order a recursive search
// would: +x, -x, +y, -y. Start and exit are never marked and may be entered
// again. Grid fields are copied to locals: stores through char may alias them.
bool Labyrinth::FindPath(int x0, int y0, int tx, int ty) {
  const int width = Width, height = Height;
  char* const cells = Cells.data();
  SearchStack.clear();
  // 1: target reached; 0: wall or visited; 2: cell entered.
  auto enter = [&](int x, int y) {
    char& c = cells[static_cast<size_t>(x) * height + y];
    if (x == tx && y == ty) {
      c = 'V';
      return 1;
    }
    switch (c) {
      case 'X': case 'V': case 'v': case 'Z': return 0;
      case ' ': c = 'V'; break;
      case 'x': c = 'v'; break;
      case 'z': c = 'Z'; break;
      default: break;
    }
    SearchStack.push_back(x << 16 | y << 3);
    return 2;
  };

  const int first = enter(x0, y0);
  if (first != 2) return first == 1;
  while (!SearchStack.empty()) {
    const std::int32_t frame = SearchStack.back();
    const int dir = frame & 7;
    if (dir == 4) {
      SearchStack.pop_back();
      continue;
    }
    SearchStack.back() = frame + 1;
    int x = frame >> 16, y = (frame >> 3) & 0x1fff;
    bool inside = false;
    switch (dir) {
      case 0: inside = x < width - 1; ++x; break;
      case 1: inside = x > 0; --x; break;
      case 2: inside = y < height - 1; ++y; break;
      default: inside = y > 0; --y; break;
    }
    if (inside && enter(x, y) == 1) return true;
  }
  return false;
}

void Labyrinth::ClearMarks() {
  // No draws here, so the order of the sweep does not matter; branch-free so
  // the three sweeps of every attempt stay cheap.
  char* const cells = Cells.data();
  const size_t n = Cells.size();
  size_t i = 0;
  // Fixed-size blocks let the compiler turn each into a few vector operations.
  for (; i + 32 <= n; i += 32)
    for (size_t j = i; j < i + 32; ++j) cells[j] = Unmarked(cells[j]);
  for (; i < n; ++i) cells[i] = Unmarked(cells[i]);
  Grid(StartX, StartY) = 'P';
  Grid(ExitX, ExitY) = 'E';
}

bool Labyrinth::CheckPath() {
  ClearMarks();
  const bool found = FindPath(StartX, StartY, ExitX, ExitY);
  ClearMarks();
  return found;
}

void Labyrinth::MarkUnreachable() {
  FindPath(StartX, StartY, -1, -1);
  for (char& c : Cells) c = c == ' ' || c == 'x' ? 'U' : c;
  ClearMarks();
}
