#include "resources/extraction.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/folders.h"
#include "platform/message.h"
#include "resources/resource_source.h"
#include "resources/scramble.h"

namespace reef {

std::string GetSystemFolder() {
    if (auto folder = ConfigFolder()) {
        return *folder;
    }
    ShowMessage("Error Find TempPath.", "ERROR");
    return std::string();
}

namespace {

// Writes the scrambled bytes afresh; false when they are not all on the disk. The file is
// truncated first: a longer file left from an interrupted run would otherwise keep its tail and
// corrupt the unscrambled copy.
bool WriteScrambledFile(const ResourceBytes& bytes, const std::string& folder,
                        const std::string& name) {
    std::FILE* out = std::fopen(ScrambledFilePath(folder, name).c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    bool ok = bytes.size == 0 || std::fwrite(bytes.data, 1, bytes.size, out) == bytes.size;
    return std::fclose(out) == 0 && ok;
}

// Writes and unscrambles; on failure nothing of the attempt is left.
UnscrambleResult Unpack(const ResourceBytes& bytes, const std::string& folder,
                        const std::string& name) {
    UnscrambleResult result = WriteScrambledFile(bytes, folder, name)
                                  ? UnscrambleToFile(folder, name)
                                  : UnscrambleResult::kCannotOpenInput;
    if (result != UnscrambleResult::kWritten) {
        DeleteFile(ScrambledFilePath(folder, name));
        DeleteFile(UnscrambledFilePath(folder, name));
    }
    return result;
}

std::string g_privateFolder;

void RemovePrivateFolder() {
    // Empty by now: every extracted file is deleted right after its use.
    rmdir(g_privateFolder.c_str());
}

// A folder of this process's own under the temporary folder, made on first use with mode 0700
// and removed when the process ends; nothing when it cannot be made.
std::optional<std::string> PrivateFolder() {
    if (g_privateFolder.empty() || !IsDirectory(g_privateFolder)) {
        auto temp = TempFolder();
        if (!temp) {
            return std::nullopt;
        }
        std::string pattern = *temp + "glassreef-unpack-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            return std::nullopt;
        }
        if (g_privateFolder.empty()) {
            std::atexit(RemovePrivateFolder);
        }
        g_privateFolder = pattern + "/";
    }
    return g_privateFolder;
}

}  // namespace

std::optional<std::string> ExtractResource(const ResourceSource& source, std::uint16_t id,
                                           const std::string& folder, const std::string& name) {
    auto bytes = source.Find("RCAD", id);
    if (!bytes) {
        return std::nullopt;
    }
    UnscrambleResult result = Unpack(*bytes, folder, name);
    if (result == UnscrambleResult::kWritten) {
        return folder;
    }
    // A configuration folder that cannot be written must not cost the user the aquarium.
    auto fallback = PrivateFolder();
    if (fallback) {
        result = Unpack(*bytes, *fallback, name);
        if (result == UnscrambleResult::kWritten) {
            return fallback;
        }
    }
    std::fprintf(stderr,
                 "glassreef: cannot unpack the program's own files: neither %s nor a folder "
                 "under the temporary folder can be written\n",
                 folder.empty() ? "the current directory" : folder.c_str());
    std::fputs(result == UnscrambleResult::kCannotOpenInput ? "cannot open infile\n"
                                                            : " cannot open outfile\n",
               stdout);
    std::fflush(stdout);
    std::exit(0);
}

UnscrambleResult UnscrambleToFile(const std::string& folder, const std::string& name) {
    std::FILE* in = std::fopen(ScrambledFilePath(folder, name).c_str(), "rb");
    if (in == nullptr) {
        return UnscrambleResult::kCannotOpenInput;
    }
    std::FILE* out = std::fopen(UnscrambledFilePath(folder, name).c_str(), "wb");
    if (out == nullptr) {
        std::fclose(in);
        return UnscrambleResult::kCannotOpenOutput;
    }
    std::vector<std::uint8_t> buffer(1 << 16);
    std::size_t position = 0;
    std::size_t got;
    bool written = true;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) {
        UnscrambleBytes(buffer.data(), got, position);
        written = written && std::fwrite(buffer.data(), 1, got, out) == got;
        position += got;
    }
    written = std::ferror(in) == 0 && written;
    std::fclose(in);
    written = std::fclose(out) == 0 && written;
    return written ? UnscrambleResult::kWritten : UnscrambleResult::kCannotWriteOutput;
}

void DeleteFile(const std::string& path) {
    unlink(path.c_str());
}

}  // namespace reef
