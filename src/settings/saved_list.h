#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_text.h"

namespace reef {

// A list saved in a section of the settings file as a count and one key a row, in list order:
// "ImageSum" = 3, "ImageList0", "ImageList1", "ImageList2". Row values are read whole, of any
// length; keys of rows beyond the count are stale and ignored.
//
// A row is stored as it is, so files written before read exactly as they did and paths stay
// readable by hand, unless a line of the file cannot hold it: a line break, a NUL, a blank at
// either end (a read drops those), or a row that itself starts with "file://". Such a row is
// stored as "file://" followed by the row with every '%', CR, LF and NUL, and a blank at its
// end, written as '%' and two hex digits ("/music/a%0Ab.mp3" for a name holding a line break).
// An absolute path so stored is a file URI; a version of the program that does not know the
// form reads it as a path that does not exist, and the rest of the file is unharmed.

std::string EncodeListRow(std::string_view row);
std::string DecodeListRow(std::string_view value);

// The rows of the list `prefix` in `section`, as many as the count at `sumKey` says, but never
// more than `maxRows` and never past the last row key the section really holds: a count of
// millions in a small file reads only its rows. A row key missing in between reads as an empty
// row.
std::vector<std::string> ReadSavedList(const IniSection& section, std::string_view sumKey,
                                       std::string_view prefix, int maxRows);

// Appends the entries that save `rows` under `sumKey` and `prefix` to `entries`.
void AppendSavedList(std::vector<IniEntry>& entries, std::string_view sumKey,
                     std::string_view prefix, const std::vector<std::string>& rows);

}  // namespace reef
