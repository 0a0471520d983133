#pragma once

#include <ostream>

// Writes one printf-formatted line of a .map file, ended by CR LF on every
// platform so the file is byte-identical wherever it is made.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void WriteLine(std::ostream& out, const char* format, ...);
