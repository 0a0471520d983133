#pragma once
// The one way the program reads a file it did not write itself (the
// settings, Steam's library list): only a regular file, never through a
// FIFO or device (which could block or never end), never through a link or
// file another user planted in a sticky folder anyone may write to (the
// rule of platform/SafeWrite.h), and at most maxBytes.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/Result.h"

namespace platform {

// The file's bytes; nullopt when nothing is at path. Fails with the reason
// (not the path: the caller names the file), e.g. "it is a FIFO (named
// pipe), not a regular file" or "it is larger than 65536 bytes".
Result<std::optional<std::string>> ReadFileSafely(const std::string& path, std::size_t maxBytes);

}  // namespace platform
