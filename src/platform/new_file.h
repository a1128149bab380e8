#pragma once

#include <string>
#include <string_view>

namespace reef {

// Writes `bytes` to `path` as a file made fresh: a temporary name beside it is created with
// O_CREAT | O_EXCL | O_NOFOLLOW and permissions `mode`, so nothing that stands at a name already
// (a symbolic link, a FIFO, a device) is ever opened or written through; the complete file is
// then renamed onto `path`. The rename replaces whatever entry `path` was, a link itself rather
// than its target, so a reader never sees a half-written file. With `durable` the data reaches
// the disk before the rename, so after a crash the name holds the old or the new content, never
// a part of it. False, with no temporary file left behind, when any step fails (also when `path`
// is a folder).
bool WriteNewFile(const std::string& path, std::string_view bytes, unsigned mode, bool durable);

}  // namespace reef
