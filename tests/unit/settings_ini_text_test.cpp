#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "settings/ini_text.h"

namespace reef {
namespace {

using namespace std::string_literals;

TEST(IniText, AtoiLike) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"", 0},                                // no digits
        {"abc", 0},                             // letters only
        {"25", 25},                             //
        {"  \t-7", -7},                         // leading blanks and a sign
        {"+12", 12},                            //
        {"- 3", 0},                             // a sign must touch its digits
        {"32767.5", 32767},                     // stops at the first non-digit
        {"12abc", 12},                          //
        {"0065280", 65280},                     // leading zeros
        {"2147483647", INT_MAX},                //
        {"-2147483648", INT_MIN},               //
        {"2147483648", INT_MAX},                // overflow clamps instead of wrapping
        {"-99999999999999999999999", INT_MIN},  //
        {"99999999999999999999999999", INT_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AtoiLike(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(IniText, Reads) {
    const std::string value200(200, 'v');
    struct Case {
        std::string text;
        const char* section;
        const char* key;
        std::string expected;
    };
    const Case cases[] = {
        // Names match without regard to case; keys hold spaces.
        {"[Aquarium Settings]\nShow Water=1\n", "aquarium settings", "SHOW WATER", "1"},
        // Blanks around names and values are not part of them.
        {"  [ Fish Number ]  \n  Fish3  =  120  \n", "Fish Number", "Fish3", "120"},
        // A value is cut to 127 bytes.
        {"[s]\nk=" + value200 + "\n", "s", "k", std::string(127, 'v')},
        // Missing section, missing key, empty value.
        {"[s]\nk=1\n", "t", "k", ""},
        {"[s]\nk=1\n", "s", "j", ""},
        {"[s]\nk=\n", "s", "k", ""},
        // A key of another section with the same name does not count.
        {"[a]\nk=1\n[b]\nk=2\n", "b", "k", "2"},
        // Keys before any section belong to none.
        {"k=0\n[s]\nk=1\n", "s", "k", "1"},
        // The first of two equal keys wins; so does the first of two equal sections.
        {"[s]\nk=1\nk=2\n[s]\nk=3\n", "s", "k", "1"},
        // A key only in the second copy of a section is still found.
        {"[s]\na=1\n[S]\nk=3\n", "s", "k", "3"},
        // Hand-written shapes: BOM, CRLF, comments, blank lines, stray text, a missing last LF.
        {"\xEF\xBB\xBF[s]\r\n; k=comment\r\n\r\nstray text\r\nk=5\r\n", "s", "k", "5"},
        {"[s]\nk=7", "s", "k", "7"},
        // Only the first '=' separates key and value.
        {"[s]\nk=a=b\n", "s", "k", "a=b"},
        // A NUL byte ends the value as it would end a C string.
        {"[s]\nk=12\0"
         "34\n"s,
         "s", "k", "12"},
        // Blanks before a NUL or at the 127-byte cut are not part of the value either, so a
        // value read back is one that can be stored (found by fuzzing).
        {"[s]\nk=12\t\0"
         "x\n"s,
         "s", "k", "12"},
        {"[s]\nk=" + std::string(126, 'v') + " w\n", "s", "k", std::string(126, 'v')},
        // A section line without ']' still names its section.
        {"[s\nk=8\n", "s", "k", "8"},
        // A CR on its own ends a line: classic Mac files, and a stray CR before a CR LF.
        {"[s]\ra=1\rk=4\r", "s", "k", "4"},
        {"[s]\r\nk=1\r\r\n", "s", "k", "1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindIniValue(c.text, c.section, c.key), c.expected) << c.text;
    }
}

TEST(IniText, Writes) {
    struct Case {
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        // A fresh file.
        {"", "s", "k", "1", "[s]\nk=1\n"},
        // In-place replacement keeps the key's spelling, the blanks before the value, the rest
        // of the file and the line end.
        {"; top\n[S]\n Show Water = 1\nnext=2\n", "s", "SHOW WATER", "0",
         "; top\n[S]\n Show Water = 0\nnext=2\n"},
        {"[s]\r\nk=1\r\nj=2\r\n", "s", "k", "22", "[s]\r\nk=22\r\nj=2\r\n"},
        // An empty value is replaced in place too.
        {"[s]\nk=\n", "s", "k", "3", "[s]\nk=3\n"},
        // A new key goes right after the last entry of its section, before blank lines and
        // comments that precede the next section.
        {"[a]\nx=1\n\n; about b\n[b]\ny=2\n", "a", "k", "3",
         "[a]\nx=1\nk=3\n\n; about b\n[b]\ny=2\n"},
        // ... or right after the header of an empty section.
        {"[a]\n\n[b]\n", "a", "k", "3", "[a]\nk=3\n\n[b]\n"},
        // A new section goes at the end, in the file's own line ends.
        {"\xEF\xBB\xBF[a]\r\nx=1\r\n", "b", "k", "3", "\xEF\xBB\xBF[a]\r\nx=1\r\n[b]\r\nk=3\r\n"},
        // A last line without its line end gets one first.
        {"[a]\nx=1", "a", "k", "3", "[a]\nx=1\nk=3\n"},
        {"[a]\nx=1", "b", "k", "3", "[a]\nx=1\n[b]\nk=3\n"},
        // Lines ending in CR alone: new lines take that line end.
        {"[s]\ra=1\r", "s", "b", "2", "[s]\ra=1\rb=2\r"},
        {"[s]\ra=1\r", "t", "b", "2", "[s]\ra=1\r[t]\rb=2\r"},
        // A lone CR ending the line before the insertion point is a line end already; nothing
        // is added to it, so the value before it stays "1" and a section line "[s" stays "s".
        {"[s]\r\na=1\r", "s", "b", "2", "[s]\r\na=1\rb=2\r\n"},
        {"[a]\r\n[s\r", "s", "k", "x", "[a]\r\n[s\rk=x\r\n"},
        // A lone CR would make one line end with an LF that follows: CR LF is written instead,
        // so the blank line stays.
        {"1\r[s]\n\n[t]\n", "s", "k", "2", "1\r[s]\nk=2\r\n\n[t]\n"},
        // The first of two equal keys is the one replaced.
        {"[s]\nk=1\nk=2\n", "s", "k", "9", "[s]\nk=9\nk=2\n"},
        // Stray text and bytes that mean nothing here stay as they are.
        {"\x01\xff garbage\n[s]\nk=1\n", "s", "k", "2", "\x01\xff garbage\n[s]\nk=2\n"},
    };
    for (const Case& c : cases) {
        auto after = SetIniValue(c.before, c.section, c.key, c.value);
        ASSERT_TRUE(after.has_value()) << c.before;
        EXPECT_EQ(*after, c.after) << c.before;
        EXPECT_EQ(FindIniValue(*after, c.section, c.key), c.value) << c.before;
    }
}

// Setting several keys in one pass gives the text that setting them one after another gives,
// and a section read in one pass gives what the single reads give.
TEST(IniText, SeveralKeysAtOnceAreOneAfterAnother) {
    const std::string texts[] = {
        "",
        "; top\n[S]\n Show Water = 1\nnext=2\n",
        "[s]\r\nk=1\r\nj=2\r\n",
        "[a]\nx=1\n\n; about b\n[b]\ny=2\n",
        "[s]\nk=1\nk=2\n[t]\nk=3\n[S]\nj=4\n",  // a key twice, a section twice
        "\xEF\xBB\xBF[a]\r\nx=1",
        "[s]\ra=1\r",
        "[s]\r\na=1\r",
        "[s]",
        "\xEF\xBB\xBF[s]\nk=",  // the last value empty, no line end after it
        "1\r[s]\n\n]x\n",       // lone CRs first, then LFs
        "\x01\xff garbage\n[s]\nk=1\n",
    };
    const std::vector<IniEntry> entries = {
        {"k", "9"}, {"new", "1"}, {"J", " 5 "}, {"next", "x"}, {"K", "10"}, {"other", ""},
    };
    for (const std::string& text : texts) {
        for (const char* section : {"s", "a", "b", "fresh"}) {
            std::optional<std::string> oneByOne = text;
            for (const IniEntry& entry : entries) {
                oneByOne = SetIniValue(*oneByOne, section, entry.key, entry.value);
                ASSERT_TRUE(oneByOne.has_value());
            }
            const auto atOnce = SetIniValues(text, section, entries);
            ASSERT_TRUE(atOnce.has_value());
            EXPECT_EQ(*atOnce, *oneByOne) << text << " / " << section;
            const IniSection parsed = ParseIniSection(*atOnce, section);
            for (const std::string& key : parsed.Keys()) {
                EXPECT_EQ(parsed.Value(key), FindIniValue(*atOnce, section, key)) << key;
            }
            EXPECT_EQ(parsed.Value("k"), "10");
            EXPECT_TRUE(parsed.Has("OTHER"));
        }
    }
    // One name that cannot be stored refuses the whole set.
    EXPECT_FALSE(SetIniValues("[s]\nk=1\n", "s", {{"k", "2"}, {"bad=key", "3"}}).has_value());
    EXPECT_FALSE(SetIniValues("[s]\nk=1\n", "s", {{"k", "2\n"}}).has_value());
}

// A section's values read whole, or cut to 127 bytes as every single read is.
TEST(IniText, SectionValuesWholeOrCut) {
    const std::string longValue(300, 'v');
    const IniSection section =
        ParseIniSection("[s]\nlong=  " + longValue + "  \nnul=a\0b\nk=1\nK=2\n[t]\nx=1\n"s, "S");
    EXPECT_EQ(section.WholeValue("LONG"), longValue);
    EXPECT_EQ(section.Value("long"), longValue.substr(0, kIniValueMax));
    EXPECT_EQ(section.WholeValue("nul"), "a");
    EXPECT_EQ(section.Value("k"), "1");
    EXPECT_EQ(section.Keys(), (std::vector<std::string>{"long", "nul", "k"}));
    EXPECT_FALSE(section.Has("x"));
    EXPECT_EQ(section.WholeValue("missing"), "");
}

TEST(IniText, ValuesAreStoredWithoutTheBlanksAReadDropsSoRewritesChangeNothing) {
    // A typed slideshow interval " 5 ", saved at every close of its dialog.
    auto once = SetIniValue("[s]\nk=1\n", "s", "k", " 5 ");
    ASSERT_TRUE(once);
    EXPECT_EQ(*once, "[s]\nk=5\n");
    EXPECT_EQ(SetIniValue(*once, "s", "k", " 5 "), *once);
}

TEST(IniText, RefusesWhatWouldNotReadBackAsOneEntry) {
    const std::string text = "[s]\nk=1\n";
    struct Case {
        std::string section, key, value;
    };
    const Case cases[] = {
        {"s", "k", "a\nj=2"},  // a line break would add an entry
        {"s", "k", "a\rb"},    //
        {"s", "k", "a\0b"s},   //
        {"s", "a=b", "1"},     // '=' would move the key's end
        {"s", "[t]", "1"},     // would start a section
        {"s", ";k", "1"},      // would be a comment
        {"s", "", "1"},        //
        {"s", " k", "1"},      // blanks around a name are not part of it
        {"s]", "k", "1"},      //
        {"s\nt", "k", "1"},    //
        {"", "k", "1"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(SetIniValue(text, c.section, c.key, c.value).has_value())
            << c.section << " / " << c.key;
    }
}

}  // namespace
}  // namespace reef
