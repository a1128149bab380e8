#include "platform/temp_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <string_view>

namespace reef {
namespace {

constexpr std::string_view kTempSuffix = ".XXXXXX";

// True for the name of a temporary file of `base`: base + '.' + the six letters and digits that
// mkstemp fills in.
bool IsTempNameOf(std::string_view name, std::string_view base) {
    const std::size_t random = kTempSuffix.size() - 1;
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

int CreateLockedTemp(const std::string& path, std::string& temp) {
    // The cleaner of another copy may take a file in the moment between its creation and the
    // lock; it then deletes it, and a fresh one is made.
    for (int attempt = 0; attempt < 5; ++attempt) {
        temp = path + std::string(kTempSuffix);
        int fd = mkostemp(temp.data(), O_CLOEXEC);
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

void RemoveStaleTempFiles(const std::string& path) {
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

}  // namespace reef
