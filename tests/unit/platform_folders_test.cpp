#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/folders.h"
#include "test_env.h"

namespace reef {
namespace {

using test::ScopedEnv;
using test::ScratchDir;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(Folders, TempFolderIsTmpdirElseAPrivateFolderInTheRuntimeFolderElseUnderTmp) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "run");
    const std::string underTmp = "/tmp/glassreef-" + std::to_string(geteuid()) + "/";
    struct {
        std::optional<std::string> tmpdir, runtime;
        std::string expected;
    } const cases[] = {
        {dir.path(), dir / "run", dir.path() + "/"},  // the user's choice stands as it is
        {dir / "missing", dir / "run", dir / "run/glassreef/"},
        {std::nullopt, dir / "run", dir / "run/glassreef/"},
        {std::nullopt, dir / "missing", underTmp},
        {std::nullopt, std::nullopt, underTmp},
    };
    for (const auto& c : cases) {
        ScopedEnv tmp("TMPDIR", c.tmpdir);
        ScopedEnv runtime("XDG_RUNTIME_DIR", c.runtime);
        EXPECT_EQ(TempFolder(), c.expected)
            << c.tmpdir.value_or("-") << " " << c.runtime.value_or("-");
        EXPECT_EQ(ModeOf(c.expected), c.tmpdir == dir.path() ? ModeOf(dir.path()) : 0700);
    }
}

TEST(Folders, PrivateFolderRefusesWhatIsNotAFolderOfTheUsersOwn) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "real");
    std::filesystem::create_directory_symlink(dir / "real", dir / "link");
    test::WriteText(dir / "file", "x");
    EXPECT_EQ(PrivateFolder(dir / "link"), std::nullopt);
    EXPECT_EQ(PrivateFolder(dir / "file"), std::nullopt);
    EXPECT_EQ(PrivateFolder(dir / "missing/deeper"), std::nullopt);

    // A folder of the user's that others could enter is closed to them.
    std::filesystem::create_directory(dir / "open");
    chmod((dir / "open").c_str(), 0777);
    EXPECT_EQ(PrivateFolder(dir / "open"), dir / "open/");
    EXPECT_EQ(ModeOf(dir / "open"), 0700);

    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can give a folder to another user";
    }
    std::filesystem::create_directory(dir / "foreign");
    ASSERT_EQ(chown((dir / "foreign").c_str(), 65534, 65534), 0);
    EXPECT_EQ(PrivateFolder(dir / "foreign"), std::nullopt);
}

TEST(Folders, ConfigFolderIsCreatedUnderXdgConfigHomeElseHome) {
    ScratchDir dir;
    {
        ScopedEnv config("XDG_CONFIG_HOME", dir / "a/b");
        EXPECT_EQ(ConfigFolder(), dir / "a/b/glassreef/");
        EXPECT_TRUE(IsDirectory(dir / "a/b/glassreef"));
    }
    {
        // A relative XDG_CONFIG_HOME is invalid by the XDG rules and ignored.
        ScopedEnv config("XDG_CONFIG_HOME", "relative");
        ScopedEnv home("HOME", dir.path());
        EXPECT_EQ(ConfigFolder(), dir / ".config/glassreef/");
    }
}

TEST(Folders, ConfigFolderIsNothingWhenItCannotBeMade) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "locked");
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_read);
    ScopedEnv config("XDG_CONFIG_HOME", dir / "locked/config");
    if (geteuid() == 0) {
        GTEST_SKIP() << "root ignores directory permissions";
    }
    EXPECT_EQ(ConfigFolder(), std::nullopt);
}

TEST(Folders, ConfigFolderIsNothingWhenAFileStandsInTheWay) {
    ScratchDir dir;
    {
        std::FILE* f = std::fopen((dir / "glassreef").c_str(), "w");
        std::fclose(f);
    }
    ScopedEnv config("XDG_CONFIG_HOME", dir.path());
    EXPECT_EQ(ConfigFolder(), std::nullopt);
}

}  // namespace
}  // namespace reef
