#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/folders.h"

namespace reef {

std::string NamedLockPath(const std::string& name) {
    auto folder = RuntimeFolder();
    return folder ? *folder + name + ".lock" : std::string();
}

namespace {

LockResult LockFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return LockResult::kUnavailable;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        close(fd);
        return error == EWOULDBLOCK ? LockResult::kHeldByOther : LockResult::kUnavailable;
    }
    // The descriptor is deliberately never closed: the lock lasts as long as the process.
    return LockResult::kAcquired;
}

}  // namespace

LockResult AcquireNamedLock(const std::string& name) {
    LockResult result = LockResult::kUnavailable;
    if (auto runtime = RuntimeFolder()) {
        result = LockFile(*runtime + name + ".lock");
    }
    // A runtime folder that cannot hold the file (read-only, full) must not cost the single
    // instance: the temporary folder, private to the user, serves instead.
    if (result == LockResult::kUnavailable) {
        if (auto temp = TempFolder()) {
            result = LockFile(*temp + name + ".lock");
        }
    }
    return result;
}

}  // namespace reef
