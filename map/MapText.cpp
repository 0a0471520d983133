#include "map/MapText.h"

#include <algorithm>

MapText& MapText::Fixed(float value) {
  if (value == 1.0f) return *this << "1.000000";  // every generated face
  // A float's fixed form has at most 39 digits before the point.
  char* const at = Room(48);
  Size += static_cast<size_t>(
      std::to_chars(at, at + 48, static_cast<double>(value), std::chars_format::fixed, 6).ptr - at);
  return *this;
}

void MapText::Grow(size_t n) {
  Capacity = std::max(2 * Capacity, Size + n);
  std::unique_ptr<char[]> bigger(new char[Capacity]);
  std::memcpy(bigger.get(), Buffer.get(), Size);
  Buffer = std::move(bigger);
}
