#include "platform/Process.h"

namespace platform {

std::string LineLimiter::Filter(std::string_view piece) {
  std::string out;
  out.reserve(piece.size());
  for (const char c : piece) {
    // A carriage return ends a progress line as a line feed ends a line.
    if (c == '\n' || c == '\r') {
      out += c;
      LineLength = 0;
      Cut = false;
    } else if (Cut) {
      continue;
    } else if (LineLength == MaxLine) {
      out += Process::kCutMark;
      Cut = true;
    } else {
      out += c;
      ++LineLength;
    }
  }
  return out;
}

}  // namespace platform
