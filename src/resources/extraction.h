#pragma once

#include <cstdint>
#include <string>

namespace reef {

class ResourceSource;

// The folder of the settings file and of the short-lived extracted files: the per-user
// configuration folder (see platform/folders.h), ending in '/'. When it cannot be found or made
// the user is told "Error Find TempPath." and the result is empty, so callers work relative to
// the current directory.
std::string GetSystemFolder();

// Writes the "RCAD" resource `id` to folder + name + ".ad" and unscrambles it (UnscrambleFile).
// False, with no file made, when there is no such resource.
bool ExtractResource(const ResourceSource& source, std::uint16_t id, const std::string& folder,
                     const std::string& name);

// The same, from the resources built into the program.
bool ExtractResource(std::uint16_t id, const std::string& folder, const std::string& name);

enum class UnscrambleResult { kWritten, kCannotOpenInput, kCannotOpenOutput };

// Unscrambles folder + name + ".ad" into the file UnscrambledFilePath names, one byte out for
// each byte in.
UnscrambleResult UnscrambleToFile(const std::string& folder, const std::string& name);

// UnscrambleToFile, ending the process quietly with status 0 when a file cannot be opened: a
// configuration folder that cannot hold the extracted files leaves the program nothing to show.
// The reason goes to standard output ("cannot open infile" or " cannot open outfile").
void UnscrambleFile(const std::string& folder, const std::string& name);

// Deletes a file; whether it existed does not matter.
void DeleteFile(const std::string& path);

}  // namespace reef
