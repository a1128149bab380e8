#include "settings/ini_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

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

constexpr const char* kTempSuffix = ".XXXXXX";

// A new file for the next content of `path`, locked (flock) for as long as its descriptor is
// open, so RemoveStaleIniWrites() can tell it from the leftover of a writer that was killed.
int CreateLockedTemp(const std::string& path, std::string& temp) {
    // The cleaner of another copy may take a file in the moment between its creation and the
    // lock; it then deletes it, and a fresh one is made.
    for (int attempt = 0; attempt < 5; ++attempt) {
        temp = path + kTempSuffix;
        int fd = mkstemp(temp.data());
        if (fd < 0) {
            return -1;
        }
        struct stat byName {
        }, byFd{};
        if (flock(fd, LOCK_EX) == 0 && fstat(fd, &byFd) == 0 && lstat(temp.c_str(), &byName) == 0 &&
            byName.st_ino == byFd.st_ino && byName.st_dev == byFd.st_dev) {
            return fd;
        }
        close(fd);
    }
    return -1;
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

// True for the name of one of ReplaceFile's temporary files for `base`: base + '.' + the six
// letters and digits that mkstemp fills in.
bool IsTempNameOf(std::string_view name, std::string_view base) {
    const std::size_t random = std::string_view(kTempSuffix).size() - 1;
    if (name.size() != base.size() + 1 + random || name.substr(0, base.size()) != base ||
        name[base.size()] != '.') {
        return false;
    }
    for (char c : name.substr(base.size() + 1)) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key) {
    FileText file = LoadFileText(path);
    return FindIniValue(file.text, section, key);
}

void RemoveStaleIniWrites(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        if (!IsTempNameOf(entry->d_name, base)) {
            continue;
        }
        // O_NOFOLLOW: a link of that name is not ours to judge by what it points to.
        int fd = openat(dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat info {};
        // A writer holds its file locked until the rename; a free lock means it is gone.
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
            unlinkat(dirfd(dir), entry->d_name, 0);
        }
        close(fd);
    }
    closedir(dir);
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
    return ReplaceFile(target, *text, file.exists ? file.mode : 0644);
}

}  // namespace reef
