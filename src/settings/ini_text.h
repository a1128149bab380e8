#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace reef {

// The settings file's text format, kept apart from the disk so it can be checked as plain text.
//
// A section starts with a line "[name]"; an entry is a line "key=value". Names compare without
// regard to ASCII case and may hold inner spaces ("Show Water"); blanks around names and values
// are not part of them. Lines starting with ';' are comments. A line ends at LF, CR LF or a CR
// on its own (the line end of classic Mac files). A UTF-8 byte-order mark, any of those line
// ends, blank lines and lines of any other shape are allowed and kept as they are when a value
// is changed. When a key appears twice in a section (or a section twice in the file) the
// first one counts, for reads and writes alike.

// Longest value a read gives, in bytes: values travel through a 128-byte buffer with its
// terminating NUL.
inline constexpr std::size_t kIniValueMax = 127;

// The number at the start of `text` as atoi reads it: leading blanks, an optional sign, then
// decimal digits up to the first other character; 0 when there are no digits. Numbers beyond
// the int range give INT_MAX or INT_MIN.
int AtoiLike(std::string_view text);

// The value of `key` in `section`, cut at a NUL byte and to kIniValueMax bytes, with no blanks
// at its ends; empty when the section or key is missing (an empty value reads the same as a
// missing one).
std::string FindIniValue(std::string_view text, std::string_view section, std::string_view key);

// `text` with `key` in `section` set to `value`: the value of an existing entry is replaced in
// place; a new key goes after the last entry of its section, a new section at the end of the
// text. New lines take the line end of the text's first line (LF when it has none). Blanks at
// the ends of `value` are not stored, as a read would not give them.
// Nothing when the names or the value cannot be stored as one line each: line breaks or NUL
// anywhere, an empty or blank-edged name, '=' in the key, ']' in the section, a key starting
// with '[' or ';'.
std::optional<std::string> SetIniValue(std::string_view text, std::string_view section,
                                       std::string_view key, std::string_view value);

}  // namespace reef
