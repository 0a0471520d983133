#include "labyrinth/Labyrinth.h"

#include <algorithm>

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

// Every code but a wall can be walked through, so the searches below depend
// only on which cells are joined to which, and visit them in any order. They
// leave the grid alone: a cell is visited when its entry in Stamps holds the
// search's own stamp, so starting a search clears nothing.
std::uint32_t Labyrinth::NewStamps(std::uint32_t count) {
  if (NextStamp > UINT32_MAX - count) {  // after billions of searches
    std::fill(Stamps.begin(), Stamps.end(), 0u);
    NextStamp = 1;
  }
  const std::uint32_t first = NextStamp;
  NextStamp += count;
  return first;
}

namespace {
// RowEdges' bits: the grid is column-major, so a step to the next or previous
// cell leaves the column at these.
constexpr std::uint8_t kFirstRow = 1, kLastRow = 2;

// A flood fill's view of the grid, copied into locals so that the stores to
// the stamps and the list cannot be taken to change it.
struct Flood {
  const char* Cells;
  std::uint32_t* Stamps;
  const std::uint8_t* RowEdges;
  int Height;
  int Size;

  void Begin(std::int32_t* todo, int& count, int cell, std::uint32_t own) const {
    Stamps[cell] = own;
    todo[0] = cell;
    count = 1;
  }

  // Takes the cell at the top of the list, stamps its unvisited, open
  // neighbours and adds them to the list. Returns true when a neighbour
  // carries `other` instead. Off the grid the cell itself stands in for the
  // neighbour: it is visited already.
  bool Expand(std::int32_t* todo, int& count, std::uint32_t own, std::uint32_t other) const {
    const int cell = todo[--count];
    const std::uint8_t edges = RowEdges[cell];
    const int next[4] = {cell + Height < Size ? cell + Height : cell,
                         cell >= Height ? cell - Height : cell,
                         edges & kLastRow ? cell : cell + 1,
                         edges & kFirstRow ? cell : cell - 1};
    for (const int n : next) {
      if (Stamps[n] == other) return true;
      const bool enter = Stamps[n] < own && Cells[n] != Cell::Wall;
      if (enter) Stamps[n] = own;
      todo[count] = n;  // kept only when entered; the list has room for it
      count += enter;
    }
    return false;
  }
};
}  // namespace

std::vector<std::uint8_t> Labyrinth::MakeRowEdges(int width, int height) {
  std::vector<std::uint8_t> edges(static_cast<size_t>(width) * height, 0);
  for (size_t column = 0; column < edges.size(); column += static_cast<size_t>(height)) {
    edges[column] |= kFirstRow;
    edges[column + static_cast<size_t>(height) - 1] |= kLastRow;
  }
  return edges;
}

bool Labyrinth::CheckPath() {
  // Grows from the start and the exit in turn until the two meet, or one
  // side has run out of cells: an enclosed end is found at its own size.
  const std::uint32_t fromStart = NewStamps(2), fromExit = fromStart + 1;
  const int size = static_cast<int>(Cells.size());
  const Flood flood{Cells.data(), Stamps.data(), RowEdges.data(), Height, size};
  std::int32_t* const startTodo = SearchStack.data();
  std::int32_t* const exitTodo = startTodo + size + 1;
  int startCount = 0, exitCount = 0;
  flood.Begin(startTodo, startCount, StartX * Height + StartY, fromStart);
  flood.Begin(exitTodo, exitCount, ExitX * Height + ExitY, fromExit);
  while (startCount > 0 && exitCount > 0) {
    if (flood.Expand(startTodo, startCount, fromStart, fromExit)) return true;
    if (flood.Expand(exitTodo, exitCount, fromExit, fromStart)) return true;
  }
  return false;
}

void Labyrinth::MarkUnreachable() {
  const std::uint32_t reached = NewStamps(2), never = reached + 1;
  const int size = static_cast<int>(Cells.size());
  const Flood flood{Cells.data(), Stamps.data(), RowEdges.data(), Height, size};
  std::int32_t* const todo = SearchStack.data();
  int count = 0;
  flood.Begin(todo, count, StartX * Height + StartY, reached);
  while (count > 0) flood.Expand(todo, count, reached, never);
  for (size_t i = 0; i < Cells.size(); ++i) {
    char& c = Cells[i];
    if (Stamps[i] != reached && (c == Cell::Free || c == Cell::LowBlock)) c = Cell::Unreachable;
  }
}
