#pragma once

#include <string>

namespace reef {

// A named lock that one process at a time can hold: an advisory flock() on "<name>.lock" in the
// runtime folder, or in the temporary folder when the runtime folder cannot hold the file, taken
// through a descriptor that stays open until the process ends. The kernel releases it with the
// process, also after a crash, so a stale lock file never blocks a start.
enum class LockResult {
    kAcquired,     // this process holds the lock now
    kHeldByOther,  // another live process holds it
    kUnavailable,  // neither folder can hold the lock file (no such folders, no rights)
};

LockResult AcquireNamedLock(const std::string& name);

// The lock's file in the runtime folder, for tools and tests that take the same lock from
// another process.
std::string NamedLockPath(const std::string& name);

}  // namespace reef
