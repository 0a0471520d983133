#pragma once

#include <charconv>
#include <cstring>
#include <memory>
#include <string_view>

#include "map/HLPoint.h"

// The text of a .map file, built in one growing buffer: a level is hundreds
// of kilobytes of short lines, so pieces are copied straight in, numbers
// formatted in place as printf's "%d" and "%f" give them. Lines end in CR LF
// on every platform so a file is byte-identical wherever it is made.
class MapText {
 public:
  explicit MapText(size_t expectedSize = 256)
      : Buffer(new char[expectedSize]), Capacity(expectedSize) {}

  MapText& operator<<(std::string_view text) {
    std::memcpy(Room(text.size()), text.data(), text.size());
    Size += text.size();
    return *this;
  }
  MapText& operator<<(char c) {
    *Room(1) = c;
    ++Size;
    return *this;
  }
  MapText& operator<<(int value) {
    char* const at = Room(11);
    Size += static_cast<size_t>(std::to_chars(at, at + 11, value).ptr - at);
    return *this;
  }
  // "x y z"
  MapText& operator<<(const HLPoint& p) { return *this << p.X << ' ' << p.Y << ' ' << p.Z; }
  // As "%f": six decimals.
  MapText& Fixed(float value);

  MapText& EndLine() { return *this << std::string_view("\r\n", 2); }
  MapText& Line(std::string_view text) { return (*this << text).EndLine(); }
  // A key line, "\"key\" \"value\"", its value made of the given parts with
  // a space between each two.
  template <class First, class... Rest>
  MapText& Key(std::string_view key, const First& first, const Rest&... rest) {
    *this << '"' << key << "\" \"" << first;
    ((*this << ' ' << rest), ...);
    return (*this << '"').EndLine();
  }

  std::string_view View() const { return {Buffer.get(), Size}; }

 private:
  // Where the next n bytes go.
  char* Room(size_t n) {
    if (Capacity - Size < n) Grow(n);
    return Buffer.get() + Size;
  }
  void Grow(size_t n);

  // Size bytes of text, then room, left uninitialised: filling it first
  // would cost as much as writing it.
  std::unique_ptr<char[]> Buffer;
  size_t Capacity;
  size_t Size = 0;
};
