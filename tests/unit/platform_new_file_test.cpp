#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/new_file.h"
#include "test_env.h"

namespace reef {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::ScratchDir;
using test::WriteText;

// Whatever stands at the name, the result is a regular file of its own with the new bytes and
// the mode asked for, and nothing was written through the old entry.
TEST(NewFile, ReplacesWhateverStandsAtTheNameWithoutWritingThroughIt) {
    ScratchDir dir;
    WriteText(dir / "victim", "precious");
    fs::create_symlink(dir / "victim", dir / "link");
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);  // opening it to write would block
    WriteText(dir / "old", "old content that is longer");
    for (const char* name : {"link", "dangling", "fifo", "old", "new"}) {
        const std::string path = dir / name;
        ASSERT_TRUE(WriteNewFile(path, "fresh", 0600, false)) << name;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path))) << name;
        EXPECT_EQ(ReadText(path), "fresh") << name;
        EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write)
            << name;
    }
    EXPECT_EQ(ReadText(dir / "victim"), "precious");
    EXPECT_FALSE(fs::exists(dir / "nowhere"));
    ASSERT_TRUE(WriteNewFile(dir / "shared", "x", 0644, true));
    EXPECT_EQ(fs::status(dir / "shared").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
}

TEST(NewFile, FailsWithoutLeavingATemporaryFile) {
    ScratchDir dir;
    fs::create_directory(dir / "folder");
    EXPECT_FALSE(WriteNewFile(dir / "folder", "x", 0600, false));
    EXPECT_FALSE(WriteNewFile(dir / "missing/file", "x", 0600, false));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);  // the folder alone
    EXPECT_TRUE(fs::is_empty(dir / "folder"));
}

}  // namespace
}  // namespace reef
