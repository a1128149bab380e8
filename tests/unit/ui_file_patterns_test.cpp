#include <gtest/gtest.h>

#include <filesystem>

#include "test_env.h"
#include "ui/file_patterns.h"

namespace reef {
namespace {

TEST(FilePatterns, ExtensionsMatchInAnyCase) {
    EXPECT_EQ(AnyCasePattern("jpg"), "*.[jJ][pP][gG]");
    EXPECT_EQ(AnyCasePattern("mp3"), "*.[mM][pP]3");  // digits stay as they are
    EXPECT_EQ(AnyCasePattern("JPEG"), "*.[jJ][pP][eE][gG]");
    EXPECT_EQ(AddFilesWildcard("(*.mp3;*.wav)", {"mp3", "wav"}),
              "(*.mp3;*.wav)|*.[mM][pP]3;*.[wW][aA][vV]|All files (*)|*");
}

TEST(FilePatterns, StartFolderIsTheLastUsedThenTheListsThenTheUsersOwn) {
    test::ScratchDir dir;
    std::filesystem::create_directories(dir / "chosen");
    std::filesystem::create_directories(dir / "listed");
    std::filesystem::create_directories(dir / "Pictures");
    const std::string chosen = dir / "chosen/", listedFile = dir / "listed/a.jpg",
                      listed = dir / "listed/", user = dir / "Pictures", gone = dir / "gone/";
    const struct {
        std::string lastChosen, lastListed, userFolder, expected;
    } cases[] = {
        {chosen, listedFile, user, chosen},
        {"", listedFile, user, listed},  // nothing chosen yet this run
        {gone, listedFile, user, listed},
        {"", dir / "gone/b.jpg", user, user},  // the list's folder went away
        {"", "", user, user},
        {"", "", dir / "nothing", ""},  // the chooser's own choice
        {"", "no-folder.jpg", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddFilesStartFolder(c.lastChosen, c.lastListed, c.userFolder), c.expected)
            << c.lastChosen << " | " << c.lastListed << " | " << c.userFolder;
    }
}

}  // namespace
}  // namespace reef
