#pragma once

#include <optional>
#include <string>

namespace reef {

// Folder paths as the program uses them: always ending in '/', so a file name can be appended.

// The temporary folder, home of the desktop snapshot, which is a picture of everything on the
// user's screen and so must stay private: $TMPDIR when the user set it to a directory; else
// $XDG_RUNTIME_DIR/glassreef/; else /tmp/glassreef-<uid>/. The last two are private folders (see
// PrivateFolder). Nothing when none of them can be had.
std::optional<std::string> TempFolder();

// `path` with a '/' appended, when it is a folder only the user can enter: created with mode
// 0700 when missing, and used only when it is a directory (not a symbolic link to one) owned by
// the user, its group and other permission bits taken away. Nothing otherwise, for example when
// another user made a folder of that name first.
std::optional<std::string> PrivateFolder(const std::string& path);

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
