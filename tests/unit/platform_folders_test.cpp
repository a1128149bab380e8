#include <gtest/gtest.h>

#include <filesystem>

#include "platform/folders.h"
#include "test_env.h"

namespace reef {
namespace {

using test::ScopedEnv;
using test::ScratchDir;

TEST(Folders, TempFolderFollowsTmpdirOnlyWhenItIsADirectory) {
    ScratchDir dir;
    {
        ScopedEnv tmp("TMPDIR", dir.path());
        EXPECT_EQ(TempFolder(), dir.path() + "/");
    }
    {
        ScopedEnv tmp("TMPDIR", dir / "missing");
        EXPECT_EQ(TempFolder(), "/tmp/");
    }
    {
        ScopedEnv tmp("TMPDIR", std::nullopt);
        EXPECT_EQ(TempFolder(), "/tmp/");
    }
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
