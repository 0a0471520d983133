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
//   written through in place, opened without waiting: a FIFO that finds no
//   reader within two seconds is reported. A directory, socket or block
//   device is refused and left alone.
// - A name of the program's own descriptors (/dev/stdout, /dev/stderr,
//   /dev/fd/N) is written through that descriptor, as "-" is, so output
//   redirected with ">>" is appended to, never replaced.
// - In a sticky folder anyone may write to (/tmp), a link or file owned by
//   another user than the writer and the folder's owner is refused: it may
//   have been planted to make the writer replace something else.
//
// On Windows the same, with two differences: a link at the target is
// replaced rather than followed, and permissions come from the folder.

#include <string>
#include <string_view>

#include "platform/Result.h"

namespace platform {

// Fails with the reason (not the path: the caller names the file).
Result<> WriteFileSafely(const std::string& path, std::string_view bytes);

// True when WriteFileSafely would write through a device, FIFO or open
// descriptor at path rather than replace a file: two writes there do not
// undo each other.
bool IsWrittenThrough(const std::string& path);

}  // namespace platform
