#pragma once

#include <string>

namespace reef {

// Files that are written under a temporary name beside their final `path` and renamed onto it
// once complete (the settings file, the desktop snapshot). The temporary file is `path` + "."
// + six letters and digits, made fresh (O_EXCL, mode 0600, close-on-exec) and locked (flock)
// for as long as its descriptor is open, so that a leftover of a writer that was killed can be
// told from a file a live writer is still filling.

// Creates and locks a new temporary file for `path`; its name goes to `temp`. The descriptor,
// or -1 when no file can be made there. Rename it onto `path` while it is still open: an
// unlocked temporary name is always a leftover.
int CreateLockedTemp(const std::string& path, std::string& temp);

// Deletes the temporary files of `path` that no running writer holds any more. A file another
// live process is still writing is kept, and so is anything that is not a regular file.
void RemoveStaleTempFiles(const std::string& path);

}  // namespace reef
