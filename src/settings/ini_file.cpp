#include "settings/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "platform/new_file.h"
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

}  // namespace

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key) {
    FileText file = LoadFileText(path);
    return FindIniValue(file.text, section, key);
}

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
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
    std::optional<std::string> text = SetIniValue(file.text, section, key, value);
    if (!text) {
        return false;
    }
    if (file.exists && *text == file.text) {
        return true;
    }
    // The new content is on the disk before it replaces the old file. (The folder is not
    // synced: losing the rename itself in a power cut only brings back the old file.)
    return WriteNewFile(target, *text, file.exists ? file.mode : 0644, true);
}

}  // namespace reef
