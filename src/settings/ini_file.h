#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_text.h"

namespace reef {

// Reading and writing single values of an INI file on disk (format: settings/ini_text.h). Every
// call opens the file afresh, so what another call wrote is seen at once.

// Files are read up to this many bytes. A settings file is a few kilobytes; a playlist of ten
// thousand paths as long as a path can be (4 KB) stays below it. A larger file is read only that
// far, and it is never rewritten, because rewriting it would cut it off.
inline constexpr std::size_t kIniFileMaxBytes = 64u << 20;

// The value of `key` in `section`, at most 127 bytes; empty when the file, section or key is
// missing, when the value is empty, and when `path` is not a regular file (a folder, a pipe).
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key);

// The file's text, at most kIniFileMaxBytes; empty when it is missing or not a regular file.
std::string ReadIniFileText(const std::string& path);

// Section `section` of the file, read in one pass (empty as ReadIniString's cases are).
IniSection ReadIniSection(const std::string& path, std::string_view section);

// Sets `key` in `section` to `value`, creating the file, section or key as needed; every other
// byte of the file stays as it was. The new content goes to a temporary file beside the old one,
// is flushed to the disk and then renamed over it, so a crash at any moment leaves either the
// old or the new file complete. A symbolic link is followed and its target replaced.
// False, with the file untouched, when it cannot be written: the folder is read-only, the file
// has no write permission (even for a user who could override it), it is not a regular file or
// it is larger than kIniFileMaxBytes, or the names or value cannot be stored (SetIniValue).
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

// Sets every entry of `entries` in `section` (SetIniValues) with one replacement of the file, as
// WriteIniString does for one: after a crash at any moment the file holds all the old values or
// all the new ones. False, with the file untouched, in WriteIniString's cases.
bool WriteIniValues(const std::string& path, std::string_view section,
                    const std::vector<IniEntry>& entries);

// The same for edits of several sections: `edit` makes the new text from the file's current
// text (empty for a missing file), or nothing when it cannot be stored.
bool EditIniFile(const std::string& path,
                 const std::function<std::optional<std::string>(std::string_view)>& edit);

// Deletes what writers of `path` that were killed left behind (RemoveStaleTempFiles).
void RemoveStaleIniWrites(const std::string& path);

}  // namespace reef
