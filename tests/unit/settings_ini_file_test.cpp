#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "test_env.h"

namespace reef {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::ScratchDir;
using test::WriteText;

int FileCount(const ScratchDir& dir) {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) {
        ++n;
    }
    return n;
}

TEST(IniFile, WritesReplaceTheFileKeepingEverythingElse) {
    ScratchDir dir;
    const std::string path = dir / "ReefSet.ini";
    EXPECT_EQ(ReadIniString(path, "s", "k"), "");  // no file yet

    ASSERT_TRUE(WriteIniString(path, "Fish Number", "Fish0", "2"));
    EXPECT_EQ(ReadText(path), "[Fish Number]\nFish0=2\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);

    const std::string handWritten =
        "\xEF\xBB\xBF; my settings\r\n[Fish Number]\r\nFish0 = 2\r\n\r\nnotes\r\n";
    WriteText(path, handWritten);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteIniString(path, "fish number", "FISH0", "3"));
    ASSERT_TRUE(WriteIniString(path, "Fish Number", "Fish1", "1"));
    EXPECT_EQ(
        ReadText(path),
        "\xEF\xBB\xBF; my settings\r\n[Fish Number]\r\nFish0 = 3\r\nFish1=1\r\n\r\nnotes\r\n");
    EXPECT_EQ(ReadIniString(path, "FISH NUMBER", "fish1"), "1");
    // The file keeps its permissions, and no temporary file is left beside it.
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FileCount(dir), 1);
}

TEST(IniFile, ASymbolicLinkStaysALink) {
    ScratchDir dir;
    WriteText(dir / "real.ini", "[s]\nk=1\n");
    fs::create_symlink(dir / "real.ini", dir / "ReefSet.ini");
    ASSERT_TRUE(WriteIniString(dir / "ReefSet.ini", "s", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(dir / "ReefSet.ini"));
    EXPECT_EQ(ReadText(dir / "real.ini"), "[s]\nk=2\n");
}

TEST(IniFile, FilesThatMustNotBeWrittenAreLeftAlone) {
    ScratchDir dir;
    const std::string original = "[s]\nk=1\n";

    // No write permission: refused even where the user could override it.
    const std::string readOnly = dir / "read-only.ini";
    WriteText(readOnly, original);
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(WriteIniString(readOnly, "s", "k", "2"));
    EXPECT_EQ(ReadText(readOnly), original);
    EXPECT_EQ(ReadIniString(readOnly, "s", "k"), "1");

    // A folder that does not exist.
    EXPECT_FALSE(WriteIniString(dir / "missing/ReefSet.ini", "s", "k", "2"));

    // A folder or a pipe where the file should be: no hang, nothing read, nothing written.
    fs::create_directory(dir / "folder.ini");
    EXPECT_EQ(ReadIniString(dir / "folder.ini", "s", "k"), "");
    EXPECT_FALSE(WriteIniString(dir / "folder.ini", "s", "k", "2"));
    ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
    EXPECT_EQ(ReadIniString(dir / "pipe.ini", "s", "k"), "");
    EXPECT_FALSE(WriteIniString(dir / "pipe.ini", "s", "k", "2"));
}

TEST(IniFile, ReadOnlyFolder) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root ignores folder permissions";
    }
    ScratchDir dir;
    fs::create_directory(dir / "locked");
    WriteText(dir / "locked/ReefSet.ini", "[s]\nk=1\n");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteIniString(dir / "locked/ReefSet.ini", "s", "k", "2"));
    EXPECT_EQ(ReadIniString(dir / "locked/ReefSet.ini", "s", "k"), "1");
}

TEST(IniFile, GarbageLoadsAndStaysIntact) {
    ScratchDir dir;
    const std::string path = dir / "ReefSet.ini";

    // Long lines, NUL bytes and binary noise below the size cap: read and edited normally.
    std::string noise(100000, 'x');
    for (std::size_t i = 0; i < 5000; ++i) {
        noise[i * 19] = static_cast<char>(i * 7);  // includes NUL, '\n', '[' and '='
    }
    const std::string text = noise + "\n[s]\nk=4\n" + std::string(100000, '\0');
    WriteText(path, text);
    EXPECT_EQ(ReadIniString(path, "s", "k"), "4");
    ASSERT_TRUE(WriteIniString(path, "s", "k", "5"));
    std::string expected = text;
    expected.replace(expected.find("k=4"), 3, "k=5");
    EXPECT_EQ(ReadText(path), expected);

    // Past the cap: what lies in the first part is read, but the file is never rewritten,
    // because the rewrite would cut it off.
    // (A sparse file: the run of NUL bytes in the middle takes no room on the disk.)
    const std::string head = "[s]\nk=6\n";
    const std::string tail = "\n[t]\nk=7\n";
    const off_t hugeSize = static_cast<off_t>(kIniFileMaxBytes + (1 << 20));
    WriteText(path, head);
    ASSERT_EQ(truncate(path.c_str(), hugeSize - static_cast<off_t>(tail.size())), 0);
    std::ofstream(path, std::ios::app | std::ios::binary) << tail;
    ASSERT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(hugeSize));
    EXPECT_EQ(ReadIniString(path, "s", "k"), "6");
    EXPECT_EQ(ReadIniString(path, "t", "k"), "");
    EXPECT_FALSE(WriteIniString(path, "s", "k", "8"));
    EXPECT_FALSE(WriteIniValues(path, "s", {{"k", "8"}}));
    EXPECT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(hugeSize));
}

// A process killed at any moment of a long run of writes leaves a complete file holding the old
// or the new value of the key it was writing.
TEST(IniFile, AKilledWriterLeavesACompleteFile) {
    ScratchDir dir;
    const std::string path = dir / "ReefSet.ini";
    const std::string padding(3000, '#');
    for (int round = 0; round < 5; ++round) {
        WriteText(path, "; keep me\n[s]\ncounter=0\nafter=" + padding + "\n[t]\nx=1\n");
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeFds[0]);
            for (int i = 1;; ++i) {
                // Announce the value, then write it.
                if (write(pipeFds[1], &i, sizeof i) != sizeof i) {
                    _exit(1);
                }
                WriteIniString(path, "s", "counter", std::to_string(i));
            }
        }
        close(pipeFds[1]);
        int announced = 0;
        int target = 20 + round * 7;  // vary the moment of the kill
        while (announced < target && read(pipeFds[0], &announced, sizeof announced) > 0) {
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        int value;
        while (read(pipeFds[0], &value, sizeof value) == sizeof value) {
            announced = value;
        }
        close(pipeFds[0]);

        int stored = AtoiLike(ReadIniString(path, "s", "counter"));
        EXPECT_TRUE(stored == announced || stored == announced - 1)
            << "stored " << stored << ", last announced " << announced;
        EXPECT_EQ(ReadIniString(path, "s", "after"), padding.substr(0, kIniValueMax));
        EXPECT_EQ(ReadIniString(path, "t", "x"), "1");
        EXPECT_EQ(ReadText(path).rfind("; keep me\n[s]\ncounter=", 0), 0u);
    }
    // Whatever temporary files the kills left, the next start's clean-up removes them.
    RemoveStaleIniWrites(path);
    EXPECT_EQ(FileCount(dir), 1);
}

TEST(IniFile, StaleTemporaryFilesGoLiveOnesAndOtherNamesStay) {
    ScratchDir dir;
    const std::string path = dir / "ReefSet.ini";
    WriteText(path, "[s]\nk=1\n");
    const char* kept[] = {
        "ReefSet.ini.bak",      // not six letters and digits
        "ReefSet.ini.abcdefg",  //
        "ReefSet.ini.ab-def",   //
        "Other.ini.abcdef",     // another file's
        "ReefSet.ini.Live42",   // a writer holds it
    };
    for (const char* name : kept) {
        WriteText(dir / name, "x");
    }
    WriteText(dir / "ReefSet.ini.a1B2c3", "[s]\nk=");  // a killed writer's
    fs::create_symlink(path, dir / "ReefSet.ini.Link00");
    int live = open((dir / "ReefSet.ini.Live42").c_str(), O_RDONLY);
    ASSERT_EQ(flock(live, LOCK_EX), 0);

    RemoveStaleIniWrites(path);
    EXPECT_FALSE(fs::exists(dir / "ReefSet.ini.a1B2c3"));
    for (const char* name : kept) {
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    }
    EXPECT_TRUE(fs::is_symlink(dir / "ReefSet.ini.Link00"));
    EXPECT_EQ(ReadIniString(path, "s", "k"), "1");
    close(live);
}

}  // namespace
}  // namespace reef
