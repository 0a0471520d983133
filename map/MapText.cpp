#include "map/MapText.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

void WriteLine(std::ostream& out, const char* format, ...) {
  char small[256];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) {
    va_end(again);
    out.setstate(std::ios::badbit);
    return;
  }
  if (static_cast<size_t>(n) < sizeof small) {
    out.write(small, n);
  } else {  // long texts (a game directory of any length) get a buffer of their own
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), format, again);
    out.write(big.data(), n);
  }
  va_end(again);
  out.write("\r\n", 2);
}
