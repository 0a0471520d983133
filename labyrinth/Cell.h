#pragma once
// The codes of the labyrinth's grid, one per cell. The preview prints them as
// they are, so the values are part of the program's output.

namespace Cell {
constexpr char Free = ' ';          // open floor; pickups, nodes and lights go only here
constexpr char Wall = 'X';          // solid from floor to ceiling
constexpr char LowBlock = 'x';      // a block 56 high; the path search passes it
constexpr char Doorway = 'z';       // gap in a lattice wall line, under a lintel
constexpr char Start = 'P';         // the player start
constexpr char Exit = 'E';          // the exit
constexpr char Unreachable = 'U';   // free or low block the start cannot reach; left empty
constexpr char Crate = 'y';         // one crate
constexpr char TwoCrates = 'Y';     // two stacked crates
constexpr char Monster = 'M';       // one monster
constexpr char Built = 'B';         // already part of a wall brush
}  // namespace Cell
