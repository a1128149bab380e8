#pragma once

#include <string>

namespace reef {

// The address (a file:// URL) of the program's own help page, which the Fish Settings dialog's
// link opens. The page is looked for at share/glassreef/help/index.html relative to the running
// program (/proc/self/exe, links resolved):
//  1. in the folder above the program's own: an installed copy, bin/glassreef beside
//     share/glassreef/, whatever the prefix (also a tree unpacked under a DESTDIR);
//  2. in the program's own folder: a build tree, where the build links that path to the copy
//     in the source tree (docs/help/), so the page opened is the one being edited.
// When neither exists, the address of the page where `cmake --install` puts it.
std::string HelpPageAddress();

// The same search from the program file `program`, with `fallback` (a path) when the page is in
// neither place. The found page's path has its links resolved.
std::string HelpPageAddressFor(const std::string& program, const std::string& fallback);

// A file:// URL for an absolute path: every byte outside the unreserved characters and '/' is
// percent-encoded, so blanks, '#', '%' and '?' in folder names reach the browser as written.
std::string FileAddress(const std::string& path);

}  // namespace reef
