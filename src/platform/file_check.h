#pragma once

#include <string>

namespace reef {

// True when `path` names a regular file (after links) that this user may read. Never opens it,
// so a pipe or device standing there cannot block the caller.
bool IsReadableRegularFile(const std::string& path);

}  // namespace reef
