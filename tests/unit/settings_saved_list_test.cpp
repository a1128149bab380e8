#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings/saved_list.h"
#include "test_env.h"

namespace reef {
namespace {

using std::string_literals::operator""s;

TEST(SavedList, RowsAreStoredAsTheyAreUnlessALineCannotHoldThem) {
    const struct {
        std::string row;
        std::string stored;
    } cases[] = {
        {"/music/a b.mp3", "/music/a b.mp3"},            // as ever
        {"/music/100% été.mp3", "/music/100% été.mp3"},  // '%' alone needs nothing
        {"", ""},
        {"/a\nb.mp3", "file:///a%0Ab.mp3"},         // line breaks
        {"/a\r\nb.mp3", "file:///a%0D%0Ab.mp3"},    //
        {"/100%\n", "file:///100%25%0A"},           // '%' once the row is encoded
        {" /lead.mp3", "file:// /lead.mp3"},        // a blank at the start, kept inside
        {"/trail.mp3 ", "file:///trail.mp3%20"},    // and at the end
        {"/tab\t", "file:///tab%09"},               //
        {"file:///x%41", "file://file:///x%2541"},  // a row that looks encoded
        {"/nul\0x"s, "file:///nul%00x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeListRow(c.row), c.stored) << c.row;
        EXPECT_EQ(DecodeListRow(c.stored), c.row) << c.stored;
    }
    // What no save writes still reads as something: a '%' without two hex digits stays.
    EXPECT_EQ(DecodeListRow("file:///a%4"), "/a%4");
    EXPECT_EQ(DecodeListRow("file:///a%zz%41"), "/a%zzA");
}

// Rows of any bytes a file name may hold, up to 4 KB, come back exactly from the file; the
// other keys of the section keep the 127-byte rule.
TEST(SavedList, RoundTripThroughTheFile) {
    test::ScratchDir dir;
    const std::string path = dir / "ReefSet.ini";
    std::vector<std::string> rows = {"/short.mp3",
                                     "\r",
                                     "\n\n",
                                     " ",
                                     "[s]",
                                     "k=v",
                                     ";x",
                                     "=",
                                     std::string(4096, '\xE9'),
                                     "/" + std::string(4000, 'a')};
    std::string everyByte;
    for (int c = 1; c < 256; ++c) {
        everyByte.push_back(static_cast<char>(c));
    }
    rows.push_back(everyByte);
    std::vector<IniEntry> entries = {{"Other", std::string(300, 'o')}};
    AppendSavedList(entries, "MusicSum", "MusicList", rows);
    ASSERT_TRUE(WriteIniValues(path, "Custom Settings", entries));
    const IniSection section = ReadIniSection(path, "Custom Settings");
    EXPECT_EQ(ReadSavedList(section, "MusicSum", "MusicList", 10000), rows);
    EXPECT_EQ(section.Value("Other"), std::string(127, 'o'));
    // Nothing else in the file moved: one line a row.
    EXPECT_EQ(ParseIniSection(test::ReadText(path), "Custom Settings").Keys().size(),
              rows.size() + 2);
}

// A file written before reads as it always did: every value a row, even ones that look odd.
TEST(SavedList, OldFilesReadAsBefore) {
    const std::string text =
        "[Custom Images]\nImageSum=3\nImageList0=/pics/50%.png\nImageList1=  /pics/x.png  \n"
        "ImageList2=C:\\old\\windows.bmp\nImageList3=/stale.png\n";
    EXPECT_EQ(ReadSavedList(ParseIniSection(text, "Custom Images"), "ImageSum", "ImageList", 100),
              (std::vector<std::string>{"/pics/50%.png", "/pics/x.png", "C:\\old\\windows.bmp"}));
}

}  // namespace
}  // namespace reef
