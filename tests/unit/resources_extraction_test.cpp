#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "resources/bmp_format.h"
#include "resources/extraction.h"
#include "resources/resource_source.h"
#include "resources/scramble.h"
#include "test_env.h"

extern const reef::ResourceEntry kTestResourceEntries[];

namespace reef {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A file's bytes; nothing when it cannot be opened.
std::optional<Bytes> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Fixture(const std::string& name) {
    return *ReadBytes(std::string(GLASSREEF_UNIT_FIXTURES) + "/" + name);
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(Scramble, UnscrambleAddsTheKeyEntryOfEachOneBasedPosition) {
    Bytes data(120, 0);
    UnscrambleBytes(data.data(), data.size());
    EXPECT_EQ(data[0], kScrambleKey[1]);    // first byte: entry 1
    EXPECT_EQ(data[48], kScrambleKey[49]);  // 49th byte: entry 49
    EXPECT_EQ(data[49], kScrambleKey[0]);   // 50th byte: entry 0
    EXPECT_EQ(data[50], kScrambleKey[1]);

    // Piecewise unscrambling with positions gives the same bytes as one pass, and the
    // scrambling rule inverts it (with wrap-around modulo 256).
    Bytes original(257);
    for (std::size_t i = 0; i < original.size(); ++i) {
        original[i] = static_cast<std::uint8_t>(255 - i);
    }
    Bytes whole = original;
    ScrambleBytes(whole.data(), whole.size());
    Bytes pieces = whole;
    UnscrambleBytes(pieces.data(), 77);
    UnscrambleBytes(pieces.data() + 77, pieces.size() - 77, 77);
    EXPECT_EQ(pieces, original);
}

TEST(Scramble, OnlyTheExactNameMusicBecomesAWaveFile) {
    struct Case {
        const char* name;
        const char* unscrambled;
    } cases[] = {
        {"Music", "/d/Music.wav"}, {"music", "/d/music.bmp"},  // case matters
        {"MUSIC", "/d/MUSIC.bmp"}, {"fish0", "/d/fish0.bmp"}, {"Music2", "/d/Music2.bmp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnscrambledFilePath("/d/", c.name), c.unscrambled) << c.name;
        EXPECT_EQ(ScrambledFilePath("/d/", c.name), std::string("/d/") + c.name + ".ad");
    }
}

TEST(Extraction, PackedResourcesComeBackByteForByte) {
    ResourceTable table(kTestResourceEntries);
    test::ScratchDir dir;
    const std::string folder = dir.path() + "/";

    // The build tool stored RCAD entries scrambled and others as they are.
    auto stored = table.Find("RCAD", 10000);
    ASSERT_TRUE(stored);
    Bytes skin = Fixture("skin.bin");
    ASSERT_EQ(stored->size, skin.size());
    EXPECT_FALSE(std::equal(skin.begin(), skin.end(), stored->data));
    auto icon = table.Find("ICON", 10000);
    ASSERT_TRUE(icon);
    EXPECT_EQ(Bytes(icon->data, icon->data + icon->size), Fixture("icon.bin"));

    ASSERT_TRUE(ExtractResource(table, 10000, folder, "fish0"));
    EXPECT_EQ(ReadBytes(folder + "fish0.bmp"), skin);
    ASSERT_TRUE(ExtractResource(table, 227, folder, "Music"));
    EXPECT_EQ(ReadBytes(folder + "Music.wav"), Fixture("sound.bin"));
    ASSERT_TRUE(ExtractResource(table, 9, folder, "empty"));
    EXPECT_EQ(ReadBytes(folder + "empty.bmp"), Bytes());
}

TEST(Extraction, AbsentIdMakesNoFile) {
    ResourceTable table(kTestResourceEntries);
    test::ScratchDir dir;
    EXPECT_FALSE(ExtractResource(table, 10005, dir.path() + "/", "fish5"));
    EXPECT_FALSE(table.Find("RCAD", 1));
    // Id 10000 exists, but not as a bitmap.
    EXPECT_FALSE(table.Find("BITMAP", 10000));
    EXPECT_TRUE(FilesIn(dir.path()).empty());
}

TEST(Extraction, AStaleLongerFileDoesNotCorruptTheExtraction) {
    ResourceTable table(kTestResourceEntries);
    test::ScratchDir dir;
    WriteFile(dir / "fish0.ad", Bytes(5000, 0xAB));
    ASSERT_TRUE(ExtractResource(table, 10000, dir.path() + "/", "fish0"));
    EXPECT_EQ(ReadBytes(dir / "fish0.bmp"), Fixture("skin.bin"));
}

TEST(Extraction, TheFullPatternLeavesNoFileBehind) {
    ResourceTable table(kTestResourceEntries);
    test::ScratchDir dir;
    const std::string folder = dir.path() + "/";
    for (auto [id, name] : {std::pair<int, std::string>{10000, "fish0"}, {227, "Music"}}) {
        ASSERT_TRUE(ExtractResource(table, static_cast<std::uint16_t>(id), folder, name));
        DeleteFile(ScrambledFilePath(folder, name));
        DeleteFile(UnscrambledFilePath(folder, name));
    }
    EXPECT_TRUE(FilesIn(dir.path()).empty());
}

TEST(Extraction, UnscramblingReportsFilesThatCannotBeOpenedOrWritten) {
    test::ScratchDir dir;
    EXPECT_EQ(UnscrambleToFile(dir.path() + "/", "absent"), UnscrambleResult::kCannotOpenInput);
    // The output name is taken by a directory.
    WriteFile(dir / "blocked.ad", Bytes{1, 2, 3});
    std::filesystem::create_directory(dir / "blocked.bmp");
    EXPECT_EQ(UnscrambleToFile(dir.path() + "/", "blocked"), UnscrambleResult::kCannotOpenOutput);
    // A full disk.
    WriteFile(dir / "full.ad", Bytes{1, 2, 3});
    std::filesystem::create_symlink("/dev/full", dir / "full.bmp");
    EXPECT_EQ(UnscrambleToFile(dir.path() + "/", "full"), UnscrambleResult::kCannotWriteOutput);
}

TEST(Extraction, AFolderThatCannotTakeTheFilesFallsBackToAPrivateTemporaryFolder) {
    ResourceTable table(kTestResourceEntries);
    test::ScratchDir temp;
    test::ScopedEnv tmpdir("TMPDIR", temp.path());
    test::ScratchDir dir;
    // A full disk: the scrambled file's name leads to /dev/full.
    std::filesystem::create_symlink("/dev/full", dir / "fish0.ad");
    for (const std::string& folder : {dir / "missing/", dir.path() + "/"}) {
        auto where = ExtractResource(table, 10000, folder, "fish0");
        ASSERT_TRUE(where) << folder;
        EXPECT_EQ(where->rfind(temp.path() + "/", 0), 0u) << *where;
        EXPECT_EQ(std::filesystem::status(*where).permissions(), std::filesystem::perms::owner_all);
        EXPECT_EQ(ReadBytes(*where + "fish0.bmp"), Fixture("skin.bin")) << folder;
        DeleteFile(ScrambledFilePath(*where, "fish0"));
        DeleteFile(UnscrambledFilePath(*where, "fish0"));
    }
    // The failed attempt left nothing in the system folder.
    EXPECT_TRUE(FilesIn(dir.path()).empty());
}

TEST(ExtractionDeathTest, EndsTheProcessWithStatusZeroAndSaysWhyWhenNoFolderTakesTheFiles) {
    ResourceTable table(kTestResourceEntries);
    test::ScratchDir dir;
    // /proc takes no new folders, not even from root.
    test::ScopedEnv tmpdir("TMPDIR", std::string("/proc"));
    EXPECT_EXIT(ExtractResource(table, 10000, dir / "missing/", "fish0"),
                ::testing::ExitedWithCode(0), "cannot unpack the program's own files");
}

TEST(Extraction, UnscramblingAnEmptyFileGivesAnEmptyFile) {
    test::ScratchDir dir;
    WriteFile(dir / "void.ad", Bytes());
    EXPECT_EQ(UnscrambleToFile(dir.path() + "/", "void"), UnscrambleResult::kWritten);
    EXPECT_EQ(ReadBytes(dir / "void.bmp"), Bytes());
}

}  // namespace
}  // namespace reef
