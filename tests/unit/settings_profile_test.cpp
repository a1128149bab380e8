#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/profile.h"
#include "test_env.h"

namespace reef {
namespace {

TEST(Profile, VolumeComesFromTheProfileElse1000) {
    using std::string_literals::operator""s;
    struct Case {
        std::string text;
        int volume;
    };
    const Case cases[] = {
        {"", 1000},
        {"[Settings]\nVolume=640\n", 640},
        {"[Settings]\r\n  Volume = 640 \r\n", 640},  // CR LF, blanks around name and value
        {"[Settings]\nVolume=\"25\"\n", 25},         // quoted as wxFileConfig may write it
        {"[Settings]\nVolume=loud\n", 1000},
        {"[Settings]\nVolume=640x\n", 1000},  // a whole number or nothing
        {"[Settings]\nVolume=\n", 1000},
        {"[Settings]\nVolume=99999999999\n", 1000},  // beyond int
        {"[Settings]\nVolume=5000\n", 1000},         // kept within 0..1000
        {"[Settings]\nVolume=-3\n", 0},
        {"[Other]\nVolume=5\n", 1000},
        {"Volume=5\n", 1000},                       // outside any group
        {"[settings]\nvolume=5\n", 1000},           // names are case-sensitive
        {"[Settings]\nVolume=5\nVolume=6\n", 5},    // the first counts
        {"[Settings]\n# Volume=5\nVolume=7\n", 7},  // comments
        {"[Settings]\n=1\nVolume=300\n", 300},      // the line that stopped wxFileConfig
        {"[Settings]\n=1\n", 1000},                 //
        {"\x01\x02[[[==\n\n", 1000},                // noise
        {"[Settings]\nVolume=12\0\n"s, 1000},       // a NUL is no digit
        {"[Settings\nVolume=5\n", 1000},            // a broken group line is no group
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProfileVolumeFromText(c.text), c.volume) << c.text;
    }
}

TEST(Profile, ReadFromTheConfigurationFolderAndNeverWritten) {
    test::ScratchDir dir;
    test::ScopedEnv config("XDG_CONFIG_HOME", dir.path());
    const std::string path = dir / "GlassReefScr.conf";
    EXPECT_EQ(ReadProfileVolume(), 1000);  // no file
    EXPECT_FALSE(std::filesystem::exists(path));
    test::WriteText(path, "[Settings]\nVolume=640\n");
    EXPECT_EQ(ReadProfileVolume(), 640);
    // 100 KB of random bytes.
    std::string noise(100 << 10, '\0');
    unsigned state = 1;
    for (char& c : noise) {
        state = state * 214013u + 2531011u;
        c = static_cast<char>(state >> 16);
    }
    test::WriteText(path, noise);
    EXPECT_EQ(ReadProfileVolume(), 1000);
    EXPECT_EQ(test::ReadText(path), noise);
}

}  // namespace
}  // namespace reef
