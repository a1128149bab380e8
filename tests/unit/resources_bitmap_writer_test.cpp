#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/bitmap_writer.h"
#include "resources/bmp_format.h"
#include "test_env.h"

namespace reef {
namespace {

using test::ReadText;
using test::ScratchDir;
using test::WriteText;

// Row y of a 3 x 4 picture: every byte says which row and pixel it belongs to.
bool Rows(int y, std::uint8_t* row) {
    for (int x = 0; x < 3; ++x) {
        for (int c = 0; c < 3; ++c) {
            row[4 * x + c] = static_cast<std::uint8_t>(16 * y + 4 * x + c);
        }
        row[4 * x + 3] = 0;
    }
    return true;
}

TEST(PrivateBitmap, WritesRowsBottomUpIntoAFreshPrivateFile) {
    ScratchDir dir;
    const std::string path = dir / "topdesk.bmp";
    std::vector<int> asked;
    ASSERT_TRUE(WritePrivateBitmap(path, 3, 4, [&](int y, std::uint8_t* row) {
        asked.push_back(y);
        return Rows(y, row);
    }));
    EXPECT_EQ(asked, (std::vector<int>{3, 2, 1, 0}));

    const std::string text = ReadText(path);
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    const auto headers = EncodeBitmapHeaders(3, 4, 32, 12);
    ASSERT_EQ(bytes.size(), headers.size() + 4 * 12);
    EXPECT_TRUE(std::equal(headers.begin(), headers.end(), bytes.begin()));
    // The first stored row is the bottom one (y = 3); the decoder agrees.
    EXPECT_EQ(bytes[54], 48);
    auto rows = FindBgrRows(bytes.data(), bytes.size());
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->bitsPerPixel, 32);

    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(PrivateBitmap, ReplacesALinkWithoutWritingThroughIt) {
    ScratchDir dir;
    const std::string target = dir / "target";
    const std::string path = dir / "topdesk.bmp";
    WriteText(target, "keep");
    ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0);
    ASSERT_TRUE(WritePrivateBitmap(path, 3, 4, Rows));
    EXPECT_EQ(ReadText(target), "keep");
    struct stat info {};
    ASSERT_EQ(lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
}

TEST(PrivateBitmap, ASourceThatGivesUpLeavesTheOldFileAndNoTemporaryOne) {
    ScratchDir dir;
    const std::string path = dir / "topdesk.bmp";
    WriteText(path, "yesterday");
    EXPECT_FALSE(WritePrivateBitmap(
        path, 3, 4, [](int y, std::uint8_t* row) { return y != 1 && Rows(y, row); }));
    EXPECT_EQ(ReadText(path), "yesterday");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
    // Nor is anything made for an empty picture or in a folder that cannot be written.
    EXPECT_FALSE(WritePrivateBitmap(dir / "empty.bmp", 0, 4, Rows));
    EXPECT_FALSE(WritePrivateBitmap(dir / "missing/topdesk.bmp", 3, 4, Rows));
}

}  // namespace
}  // namespace reef
