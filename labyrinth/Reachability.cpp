#include "labyrinth/Labyrinth.h"

#include <algorithm>

namespace {
char Unmarked(char c) {
  return c == Cell::SeenFree       ? Cell::Free
         : c == Cell::SeenLowBlock ? Cell::LowBlock
         : c == Cell::SeenDoorway  ? Cell::Doorway
                                   : c;
}
}  // namespace

// Up to 50 row draws for a free cell in column x; the row field is written on
// every draw, as the later steps read it whatever the outcome.
bool Labyrinth::PlaceOnEdge(int x, int& row, char code) {
  for (int draw = 0; draw < 50; ++draw) {
    row = Rng.Below(BelowHeight);
    if (Grid(x, row) == Cell::Free) {
      Grid(x, row) = code;
      return true;
    }
  }
  return false;
}

bool Labyrinth::PlaceStart() {
  StartX = 0;
  return PlaceOnEdge(StartX, StartY, Cell::Start);
}

bool Labyrinth::PlaceExit() {
  ExitX = Width - 1;
  return PlaceOnEdge(ExitX, ExitY, Cell::Exit);
}

// The outcome, and the cells marked when the target is not reached, depend
// only on which cells are joined to the start, so the search may visit them
// in any order: a flood fill that marks each cell when it is first reached,
// with a list of cells still to expand (at most one entry per cell) and no
// branch on the cell's code, which is random.
namespace {
struct SearchCodes {
  char Mark[256];      // the code a reached cell gets
  bool Passable[256];  // walls and cells marked already stop the search
};
constexpr SearchCodes MakeSearchCodes() {
  SearchCodes codes{};
  for (int c = 0; c < 256; ++c) {
    codes.Mark[c] = static_cast<char>(c);
    codes.Passable[c] = true;
  }
  codes.Mark[static_cast<unsigned char>(Cell::Free)] = Cell::SeenFree;
  codes.Mark[static_cast<unsigned char>(Cell::LowBlock)] = Cell::SeenLowBlock;
  codes.Mark[static_cast<unsigned char>(Cell::Doorway)] = Cell::SeenDoorway;
  for (unsigned char c : {Cell::Wall, Cell::SeenFree, Cell::SeenLowBlock, Cell::SeenDoorway})
    codes.Passable[c] = false;
  return codes;
}
constexpr SearchCodes kCodes = MakeSearchCodes();
}  // namespace

bool Labyrinth::FindPath(int x0, int y0, int tx, int ty) {
  const int width = Width, height = Height;
  char* const cells = Cells.data();
  const int target = tx >= 0 && ty >= 0 && tx < width && ty < height ? tx * height + ty : -1;
  const int start = x0 * height + y0;
  if (start == target) {
    cells[start] = Cell::SeenFree;
    return true;
  }
  if (!kCodes.Passable[static_cast<unsigned char>(cells[start])]) return false;

  // Seen keeps the start and exit, which carry no mark, from being expanded twice.
  std::uint8_t* const seen = Seen.data();
  std::fill(Seen.begin(), Seen.end(), std::uint8_t{0});
  // Entries are x << 16 | y, so that the bounds need no division.
  std::int32_t* const todo = SearchStack.data();
  int count = 0;
  auto reach = [&](int x, int y) {
    const int cell = x * height + y;
    const auto c = static_cast<unsigned char>(cells[cell]);
    const bool enter = kCodes.Passable[c] & !seen[cell];
    seen[cell] = 1;
    cells[cell] = kCodes.Mark[c];  // walls and marks map to themselves
    todo[count] = x << 16 | y;
    count += enter;
  };
  reach(x0, y0);
  while (count > 0) {
    const std::int32_t entry = todo[--count];
    const int x = entry >> 16, y = entry & 0xffff;
    const int nx[4] = {x + 1, x - 1, x, x};
    const int ny[4] = {y, y, y + 1, y - 1};
    const bool inside[4] = {x < width - 1, x > 0, y < height - 1, y > 0};
    for (int i = 0; i < 4; ++i) {
      if (!inside[i]) continue;
      if (nx[i] * height + ny[i] == target) {
        cells[target] = Cell::SeenFree;
        return true;
      }
      reach(nx[i], ny[i]);
    }
  }
  return false;
}

void Labyrinth::ClearMarks() {
  // No draws here, so the order of the sweep does not matter. Every attempt
  // sweeps the grid three times, so the sweep is branch-free and goes in
  // blocks of a fixed size, which can be done many cells at a time.
  char* const cells = Cells.data();
  const size_t n = Cells.size();
  size_t i = 0;
  for (; i + 32 <= n; i += 32)
    for (size_t j = i; j < i + 32; ++j) cells[j] = Unmarked(cells[j]);
  for (; i < n; ++i) cells[i] = Unmarked(cells[i]);
  Grid(StartX, StartY) = Cell::Start;
  Grid(ExitX, ExitY) = Cell::Exit;
}

bool Labyrinth::CheckPath() {
  ClearMarks();
  const bool found = FindPath(StartX, StartY, ExitX, ExitY);
  ClearMarks();
  return found;
}

void Labyrinth::MarkUnreachable() {
  FindPath(StartX, StartY, -1, -1);
  for (char& c : Cells) c = c == Cell::Free || c == Cell::LowBlock ? Cell::Unreachable : c;
  ClearMarks();
}
