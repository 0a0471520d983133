#pragma once
// The one way the program writes a file (level, preview, settings, batch
// file, the moved .bsp). What it promises:
//
// - A regular file is never written in place. The bytes go to a new file
//   with a unique name, created exclusively (never through a link planted
//   there) in the target's folder, flushed to disk and then renamed over
//   the target. Readers and concurrent writers see the old file or one
//   whole new one, never a mix: the last rename wins. On any failure the
//   temporary file is removed and an older file is left as it was.
// - A replaced file keeps its permission bits and, where the system allows
//   it, its owner and group. A new file gets the usual mode under the umask.
// - A symbolic link is never replaced: the file it leads to is (in that
//   file's folder). A link that leads nowhere is refused.
// - A hard-linked file is replaced at the given name only; its other names
//   keep the old contents (writing in place could leave a torn file).
// - A character device or FIFO the caller names (/dev/null, a pipe) is
//   written through in place; a directory, socket or block device is
//   refused and left alone.
//
// On Windows the same, with two differences: a link at the target is
// replaced rather than followed, and permissions come from the folder.

#include <string>
#include <string_view>

#include "platform/Result.h"

namespace platform {

// Fails with the reason (not the path: the caller names the file).
Result<> WriteFileSafely(const std::string& path, std::string_view bytes);

}  // namespace platform
