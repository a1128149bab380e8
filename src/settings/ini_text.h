#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

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

// One key and its value, to be set together with others (SetIniValues, WriteIniValues).
struct IniEntry {
    std::string key;
    std::string value;
};

// The entries of one section, found in one pass over the text. Keys compare without regard to
// ASCII case; of a key listed twice (or in two blocks of the same section) the first counts, as
// for FindIniValue.
class IniSection {
public:
    // As FindIniValue gives it: cut at a NUL and to kIniValueMax bytes, no blanks at its ends.
    std::string Value(std::string_view key) const;
    // The whole value, of any length: cut at a NUL, no blanks at its ends.
    std::string WholeValue(std::string_view key) const;
    // The key has an entry, even one with an empty value.
    bool Has(std::string_view key) const;
    // The keys present, each once, in the order of the text, spelled as the text first has them.
    const std::vector<std::string>& Keys() const { return m_keys; }

private:
    friend IniSection ParseIniSection(std::string_view text, std::string_view section);
    const std::string* Raw(std::string_view key) const;

    std::unordered_map<std::string, std::string> m_raw;  // lower-case key -> value up to NUL
    std::vector<std::string> m_keys;
};

// Section `section` of `text`, read in one pass: linear in the text's length.
IniSection ParseIniSection(std::string_view text, std::string_view section);

// `text` with every entry of `entries` set in `section`, in one pass: the same text as calling
// SetIniValue for each entry in turn (so new keys follow the section's last entry in the order
// given, and a key given twice takes its last value), in time linear in the text's length and
// the entries' size. Nothing when any name or value cannot be stored (SetIniValue).
std::optional<std::string> SetIniValues(std::string_view text, std::string_view section,
                                        const std::vector<IniEntry>& entries);

}  // namespace reef
