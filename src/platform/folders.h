#pragma once

#include <optional>
#include <string>

namespace reef {

// Folder paths as the program uses them: always ending in '/', so a file name can be appended.

// $TMPDIR when it names a directory, else /tmp; nothing when neither is a directory.
std::optional<std::string> TempFolder();

// $XDG_CONFIG_HOME/glassreef/, else $HOME/.config/glassreef/, created (with its parents) when
// missing; nothing when no such folder can be found or made.
std::optional<std::string> ConfigFolder();

// $XDG_RUNTIME_DIR when it names a directory, else the temporary folder: where the
// single-instance locks live.
std::optional<std::string> RuntimeFolder();

// Creates the folder and its missing parents with mode 0700. True when it exists afterwards.
bool MakeFolders(const std::string& path);

bool IsDirectory(const std::string& path);

}  // namespace reef
