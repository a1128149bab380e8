#include "settings/ini_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "platform/temp_files.h"
#include "settings/ini_text.h"

namespace reef {
namespace {

struct FileText {
    bool exists = false;
    bool regular = false;
    bool whole = false;  // the text is the whole file, not its first kIniFileMaxBytes
    mode_t mode = 0;
    std::string text;
};

// O_NONBLOCK keeps a pipe or device standing where the file should be from blocking the open.
FileText LoadFileText(const std::string& path) {
    FileText file;
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        file.exists = errno != ENOENT;
        return file;
    }
    file.exists = true;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return file;
    }
    file.regular = true;
    file.mode = info.st_mode & 07777;
    std::size_t size = static_cast<std::size_t>(info.st_size);
    file.text.resize(size < kIniFileMaxBytes ? size : kIniFileMaxBytes);
    std::size_t got = 0;
    while (got < file.text.size()) {
        ssize_t n = read(fd, &file.text[got], file.text.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    file.text.resize(got);
    // One more byte tells whether the file went on past the cap (or grew since fstat).
    char extra;
    file.whole = got < kIniFileMaxBytes || read(fd, &extra, 1) <= 0;
    close(fd);
    return file;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file a write replaces: the target of a symbolic link, so the link itself survives.
std::string WriteTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* resolved = realpath(path.c_str(), nullptr)) {
            std::string target(resolved);
            std::free(resolved);
            return target;
        }
    }
    return path;
}

// Writes `text` to a new file in the folder of `path` and renames it over `path`. The new file
// is on the disk before the rename, so after a crash or a power cut the name holds either the
// old or the new content, never a part of it. (The folder is not synced: losing the rename
// itself in a power cut only brings back the old file.)
bool ReplaceFile(const std::string& path, const std::string& text, mode_t mode) {
    std::string temp;
    int fd = CreateLockedTemp(path, temp);
    if (fd < 0) {
        return false;
    }
    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
    // Renamed while still locked: an unlocked temporary name is always a leftover.
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        ok = false;
    }
    return close(fd) == 0 && ok;
}

}  // namespace

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key) {
    FileText file = LoadFileText(path);
    return FindIniValue(file.text, section, key);
}

std::string ReadIniFileText(const std::string& path) {
    return LoadFileText(path).text;
}

IniSection ReadIniSection(const std::string& path, std::string_view section) {
    return ParseIniSection(LoadFileText(path).text, section);
}

void RemoveStaleIniWrites(const std::string& path) {
    RemoveStaleTempFiles(path);
}

bool EditIniFile(const std::string& path,
                 const std::function<std::optional<std::string>(std::string_view)>& edit) {
    std::string target = WriteTarget(path);
    FileText file = LoadFileText(target);
    if (file.exists && (!file.regular || !file.whole)) {
        return false;
    }
    // A file without write permission was made read-only on purpose; root would be allowed to
    // replace it, but should not.
    if (file.exists && ((file.mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)) {
        return false;
    }
    std::optional<std::string> text = edit(file.text);
    if (!text) {
        return false;
    }
    if (file.exists && *text == file.text) {
        return true;
    }
    return ReplaceFile(target, *text, file.exists ? file.mode : 0644);
}

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
    return EditIniFile(
        path, [&](std::string_view text) { return SetIniValue(text, section, key, value); });
}

bool WriteIniValues(const std::string& path, std::string_view section,
                    const std::vector<IniEntry>& entries) {
    return EditIniFile(path,
                       [&](std::string_view text) { return SetIniValues(text, section, entries); });
}

}  // namespace reef
