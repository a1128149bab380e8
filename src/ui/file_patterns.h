#pragma once

#include <string>
#include <vector>

namespace reef {

// The wildcards of the file-open dialogs that add files to a list.

// A pattern for names ending in "." + `extension` in any mix of case: "jpg" gives
// "*.[jJ][pP][gG]". The desktop's file chooser matches its patterns case-sensitively, and a
// camera names its pictures "DSC00042.JPG".
std::string AnyCasePattern(const std::string& extension);

// The wildcard text (description|patterns|...): `label` for the files whose names end in one of
// `extensions`, in any case, then "All files".
std::string AddFilesWildcard(const std::string& label, const std::vector<std::string>& extensions);

// The folder the chooser opens in: the folder a file was last chosen from, else the folder of
// `lastListed` (the list's newest row), else `userFolder` (such as the user's Pictures folder);
// each only when it is an existing folder. Empty when none is: the chooser picks its own.
std::string AddFilesStartFolder(const std::string& lastChosenFolder, const std::string& lastListed,
                                const std::string& userFolder);

}  // namespace reef
