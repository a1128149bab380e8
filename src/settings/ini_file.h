#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace reef {

// Reading and writing single values of an INI file on disk (format: settings/ini_text.h). Every
// call opens the file afresh, so what another call wrote is seen at once.

// Files are read up to this many bytes. A settings file is a few kilobytes; even a slideshow
// list of thousands of paths stays far below it. A larger file is read only that far, and it is
// never rewritten, because rewriting it would cut it off.
inline constexpr std::size_t kIniFileMaxBytes = 4u << 20;

// The value of `key` in `section`, at most 127 bytes; empty when the file, section or key is
// missing, when the value is empty, and when `path` is not a regular file (a folder, a pipe).
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key);

// Sets `key` in `section` to `value`, creating the file, section or key as needed; every other
// byte of the file stays as it was. The new content goes to a temporary file beside the old one,
// is flushed to the disk and then renamed over it, so a crash at any moment leaves either the
// old or the new file complete. A symbolic link is followed and its target replaced.
// False, with the file untouched, when it cannot be written: the folder is read-only, the file
// has no write permission (even for a user who could override it), it is not a regular file or
// it is larger than kIniFileMaxBytes, or the names or value cannot be stored (SetIniValue).
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

// Deletes what writers of `path` that were killed left behind: the temporary files
// (`path` + ".XXXXXX") that no running writer holds any more. A file another live process is
// still writing is kept.
void RemoveStaleIniWrites(const std::string& path);

}  // namespace reef
