#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace reef {

class ResourceSource;

// The folder of the settings file and of the short-lived extracted files: the per-user
// configuration folder (see platform/folders.h), ending in '/'. When it cannot be found or made
// the user is told "Error Find TempPath." and the result is empty, so callers work relative to
// the current directory.
std::string GetSystemFolder();

// Writes the "RCAD" resource `id` to folder + name + ".ad" and unscrambles it into the file
// UnscrambledFilePath names. When `folder` cannot take the two files (it is read-only, or the
// disk is full), they are made in a private folder under the temporary folder instead, which
// the program removes when it ends. The result is the folder that holds them, for the caller
// to use and delete them from; nothing, with no file made, when there is no such resource.
// When no folder at all can take them, the process ends with status 0 and says why on standard
// error (and, as it always has, "cannot open infile" or " cannot open outfile" on standard
// output): without its fish and sound the program has nothing to show.
std::optional<std::string> ExtractResource(const ResourceSource& source, std::uint16_t id,
                                           const std::string& folder, const std::string& name);

// The same, from the resources built into the program.
std::optional<std::string> ExtractResource(std::uint16_t id, const std::string& folder,
                                           const std::string& name);

enum class UnscrambleResult { kWritten, kCannotOpenInput, kCannotOpenOutput, kCannotWriteOutput };

// Unscrambles folder + name + ".ad" into the file UnscrambledFilePath names, one byte out for
// each byte in. kCannotWriteOutput when the output could be opened but not written whole.
UnscrambleResult UnscrambleToFile(const std::string& folder, const std::string& name);

// Deletes a file; whether it existed does not matter.
void DeleteFile(const std::string& path);

}  // namespace reef
