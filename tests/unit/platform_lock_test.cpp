#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/instance_lock.h"
#include "test_env.h"

namespace reef {
namespace {

// Runs AcquireNamedLock(name) in a child process and returns what it got.
LockResult AcquireInChild(const std::string& name) {
    pid_t pid = fork();
    if (pid == 0) {
        _exit(static_cast<int>(AcquireNamedLock(name)));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return static_cast<LockResult>(WEXITSTATUS(status));
}

// Starts a child process that takes the lock `name` and keeps it until it is killed; its pid, or
// -1 when it could not take the lock.
pid_t HoldInChild(const std::string& name) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return -1;
    }
    pid_t holder = fork();
    if (holder == 0) {
        close(pipeFds[0]);
        char ok = AcquireNamedLock(name) == LockResult::kAcquired ? 'y' : 'n';
        (void)!write(pipeFds[1], &ok, 1);
        pause();
        _exit(0);
    }
    close(pipeFds[1]);
    char ok = 0;
    const bool held = read(pipeFds[0], &ok, 1) == 1 && ok == 'y';
    close(pipeFds[0]);
    if (!held) {
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        return -1;
    }
    return holder;
}

TEST(NamedLock, HeldUntilTheHolderEndsThenFreeAgain) {
    test::ScratchDir dir;
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path());
    test::ScopedEnv temp("TMPDIR", dir.path());
    EXPECT_EQ(NamedLockPath("GlassReefScr"), dir / "GlassReefScr.lock");

    // A child that took the lock and ended released it with its exit.
    EXPECT_EQ(AcquireInChild("GlassReefScr"), LockResult::kAcquired);
    EXPECT_EQ(AcquireInChild("GlassReefScr"), LockResult::kAcquired);

    // While this process holds it, another process cannot take it; other names are free.
    const pid_t holder = HoldInChild("GlassReefScr");
    ASSERT_GT(holder, 0);
    EXPECT_EQ(AcquireInChild("GlassReefScr"), LockResult::kHeldByOther);
    EXPECT_EQ(AcquireInChild("CoralfinScr"), LockResult::kAcquired);

    // Killed, not ended cleanly: the kernel still releases the lock.
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(AcquireInChild("GlassReefScr"), LockResult::kAcquired);
}

TEST(NamedLock, FallsBackToTheTemporaryFolderAndIsUnavailableOnlyWhenNoFolderCanHoldIt) {
    test::ScratchDir runtimeDir;
    test::ScratchDir tempDir;
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", runtimeDir.path());
    test::ScopedEnv temp("TMPDIR", tempDir.path());
    // A directory where the runtime folder's lock file would be: it cannot be opened.
    std::filesystem::create_directory(runtimeDir / "GlassReefScr.lock");

    const pid_t holder = HoldInChild("GlassReefScr");
    ASSERT_GT(holder, 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(tempDir / "GlassReefScr.lock"));
    // A second copy is kept out.
    EXPECT_EQ(AcquireInChild("GlassReefScr"), LockResult::kHeldByOther);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);

    std::filesystem::remove(tempDir / "GlassReefScr.lock");
    std::filesystem::create_directory(tempDir / "GlassReefScr.lock");
    EXPECT_EQ(AcquireNamedLock("GlassReefScr"), LockResult::kUnavailable);
}

}  // namespace
}  // namespace reef
