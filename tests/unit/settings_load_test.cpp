#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/random.h"
#include "settings/aquarium_settings.h"
#include "settings/ini_file.h"
#include "test_env.h"

namespace reef {
namespace {

using test::ReadText;
using test::ScopedEnv;
using test::ScratchDir;
using test::WriteText;

// Loads from `text` (or from no file) with the random generator at its start-up state.
class SettingsLoad : public ::testing::Test {
protected:
    void SetUp() override { ProcessRandom().SetState(1); }
    void TearDown() override { ProcessRandom().SetState(1); }

    AquariumSettings Load(const std::string* text = nullptr) {
        if (text != nullptr) {
            WriteText(m_path, *text);
        }
        AquariumSettings settings{};
        LoadAquariumSettings(m_path, settings);
        return settings;
    }
    std::string Value(const char* section, const char* key) {
        return ReadIniString(m_path, section, key);
    }

    ScratchDir m_dir;
    std::string m_path = m_dir / "ReefSet.ini";
};

TEST_F(SettingsLoad, AFreshSystemGetsEveryDefaultInOrder) {
    AquariumSettings s = Load();

    RandomGenerator expected(1);
    std::string fish;
    int counts[15];
    for (int kind = 0; kind < 15; ++kind) {
        counts[kind] = expected.Next() % 4;
        fish += "Fish" + std::to_string(kind) + "=" + std::to_string(counts[kind]) + "\n";
    }
    EXPECT_EQ(ReadText(m_path),
              "[Aquarium Settings]\n"
              "Show Water=0\nShow Light=0\nShow Terra=1\nFRONT GUDING=1\nFRONTCOLOR=16777215\n"
              "FRONT MANJIANBIAN=0\nFRONT COLOR1=16777215\nFRONT COLOR2=16777215\n"
              "FRONT AUTOJIANBIAN=0\nCHECK LOCKFORE=0\nLOCKFORE ROT=0\nBACK GUDING=1\n"
              "BACKCOLOR=0\nBACK MANJIANBIAN=0\nBACK COLOR1=65280\nBACK COLOR2=0\n"
              "BACK AUTOJIANBIAN=0\nCHECK LOCKBACK=0\nLOCKBACK ROT=0\nYINLIANG=32767.5\n"
              "QIPAONUM=100\nBACKGROUND=0\nFOGNONGDU=25\nLIGHTQIANGDU=0\nCHECK VIEWS=1\n"
              "VIEWSLEFTRIGHT=0\nVIEWSNEARFAR=0\n"
              "[Fish Number]\n" +
                  fish);
    // One draw per missing count, in kind order.
    EXPECT_EQ(ProcessRandom().State(), expected.State());

    EXPECT_EQ(s.nShowWater, 0);
    EXPECT_EQ(s.nShowTerra, 1);
    EXPECT_EQ(s.nFrontFixed, 1);
    EXPECT_EQ(s.crFrontColor, 16777215);
    EXPECT_EQ(s.crFrontColor2, 16777215);
    EXPECT_EQ(s.nBackFixed, 1);
    EXPECT_EQ(s.crBackColor1, 0x00FF00);
    EXPECT_EQ(s.nVolume, 32767);
    EXPECT_EQ(s.nBubbleCount, 100);
    EXPECT_EQ(s.nFogLevel, 25);
    EXPECT_EQ(s.nLightLevel, 50);
    EXPECT_EQ(s.nAutoViews, 1);
    for (int kind = 0; kind < 15; ++kind) {
        EXPECT_EQ(s.nFishCount[kind], counts[kind]) << kind;
    }

    // A second start reads what the first wrote and changes nothing.
    const std::string first = ReadText(m_path);
    AquariumSettings again = Load();
    EXPECT_EQ(ReadText(m_path), first);
    EXPECT_EQ(again.nFishCount, s.nFishCount);
    EXPECT_EQ(ProcessRandom().State(), expected.State());
}

TEST_F(SettingsLoad, ForcedKeysRangesAndStoredValues) {
    const std::string file =
        "; edited by hand\r\n"
        "[aquarium settings]\r\n"
        "show water=1\r\n"
        "Show Terra=0\r\n"
        "BACKCOLOR=255\r\n"
        "FRONTCOLOR=65280\r\n"
        "LOCKFORE ROT=12.75\r\n"
        "LOCKBACK ROT=-3.9\r\n"
        "YINLIANG=1000junk\r\n"
        "QIPAONUM=\r\n"
        "FOGNONGDU=26\r\n"
        "LIGHTQIANGDU=80\r\n"
        "CHECK VIEWS=abc\r\n"
        "[Fish Number]\r\n"
        "Fish0=1\r\nFish1=0\r\nFish2=2\r\nFish3=120\r\nFish4=-2\r\n"
        "Fish5=3\r\nFish6=3\r\nFish7=3\r\nFish8=3\r\nFish9=3\r\nFish10=3\r\nFish11=3\r\n"
        "Fish12=3\r\nFish13=3\r\nFish14=50\r\n";
    AquariumSettings s = Load(&file);

    EXPECT_EQ(s.nShowWater, 0);
    EXPECT_EQ(Value("Aquarium Settings", "Show Water"), "0");
    EXPECT_EQ(s.nShowTerra, 1);
    EXPECT_EQ(Value("Aquarium Settings", "Show Terra"), "1");
    EXPECT_EQ(s.crBackColor, 0);
    EXPECT_EQ(Value("Aquarium Settings", "BACKCOLOR"), "0");
    EXPECT_EQ(s.crFrontColor, 0x00FF00);
    EXPECT_EQ(s.fFrontRotation, 12.0f);
    EXPECT_EQ(s.fBackRotation, -3.0f);
    EXPECT_EQ(s.nVolume, 1000);
    EXPECT_EQ(Value("Aquarium Settings", "YINLIANG"), "1000junk");
    EXPECT_EQ(s.nBubbleCount, 100);  // an empty value counts as missing
    EXPECT_EQ(Value("Aquarium Settings", "QIPAONUM"), "100");
    EXPECT_EQ(s.nFogLevel, 25);
    EXPECT_EQ(Value("Aquarium Settings", "FOGNONGDU"), "25");
    EXPECT_EQ(s.nLightLevel, 50);
    EXPECT_EQ(Value("Aquarium Settings", "LIGHTQIANGDU"), "80");
    EXPECT_EQ(s.nAutoViews, 0);
    EXPECT_EQ(Value("Aquarium Settings", "CHECK VIEWS"), "abc");

    // Counts above 50 are used as 50 while the file keeps its text; nothing raises negatives.
    const int expectedCounts[15] = {1, 0, 2, 50, -2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 50};
    for (int kind = 0; kind < 15; ++kind) {
        EXPECT_EQ(s.nFishCount[kind], expectedCounts[kind]) << kind;
    }
    EXPECT_EQ(Value("Fish Number", "Fish3"), "120");
    EXPECT_EQ(ProcessRandom().State(), 1u);  // no count was missing

    // The hand-written lines keep their place and line ends; missing keys join the section.
    std::string after = ReadText(m_path);
    EXPECT_EQ(after.rfind("; edited by hand\r\n[aquarium settings]\r\nshow water=0\r\n", 0), 0u);
    EXPECT_NE(after.find("CHECK VIEWS=abc\r\nShow Light=0\r\nFRONT GUDING=1\r\n"),
              std::string::npos);
    EXPECT_NE(after.find("VIEWSNEARFAR=0\r\n[Fish Number]\r\n"), std::string::npos);
}

TEST_F(SettingsLoad, FogAndLightRepairs) {
    struct Case {
        const char* fog;
        int fogLevel;
        const char* fogStored;
        const char* light;
        const char* lightStored;
    };
    const Case cases[] = {
        {"-1", 25, "25", "-1", "0"},          // below the range
        {"letters", 0, "letters", "x", "x"},  // no digits: 0, inside both ranges, kept
        {"0", 0, "0", "100", "100"},          // the ends of the ranges
        {"25", 25, "25", "101", "0"},         // above
        {"7", 7, "7", "0", "0"},
    };
    for (const Case& c : cases) {
        std::string file = std::string("[Aquarium Settings]\nFOGNONGDU=") + c.fog +
                           "\nLIGHTQIANGDU=" + c.light + "\n";
        AquariumSettings s = Load(&file);
        EXPECT_EQ(s.nFogLevel, c.fogLevel) << c.fog;
        EXPECT_EQ(Value("Aquarium Settings", "FOGNONGDU"), c.fogStored) << c.fog;
        EXPECT_EQ(s.nLightLevel, 50) << c.light;
        EXPECT_EQ(Value("Aquarium Settings", "LIGHTQIANGDU"), c.lightStored) << c.light;
    }
}

TEST_F(SettingsLoad, UnwritableFileStillGivesTheValues) {
    const std::string file = "[Aquarium Settings]\nShow Water=1\nFOGNONGDU=40\n";
    WriteText(m_path, file);
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_read);
    AquariumSettings s = Load();
    EXPECT_EQ(s.nShowWater, 0);
    EXPECT_EQ(s.nFogLevel, 25);
    EXPECT_EQ(s.nVolume, 32767);
    EXPECT_EQ(ReadText(m_path), file);

    // A folder that cannot hold the file: every default, every count drawn.
    ProcessRandom().SetState(1);
    AquariumSettings t{};
    LoadAquariumSettings(m_dir / "missing/ReefSet.ini", t);
    EXPECT_EQ(t.nShowTerra, 1);
    EXPECT_EQ(t.crFrontColor1, 16777215);
    RandomGenerator expected(1);
    for (int kind = 0; kind < 15; ++kind) {
        EXPECT_EQ(t.nFishCount[kind], expected.Next() % 4) << kind;
    }
}

TEST_F(SettingsLoad, ClassicMacLineEndsKeepTheUsersValues) {
    std::string file = "[Aquarium Settings]\rFOGNONGDU=7\r[Fish Number]\r";
    for (int kind = 0; kind < 15; ++kind) {
        file += "Fish" + std::to_string(kind) + "=5\r";
    }
    AquariumSettings s = Load(&file);
    EXPECT_EQ(s.nFogLevel, 7);
    for (int kind = 0; kind < 15; ++kind) {
        EXPECT_EQ(s.nFishCount[kind], 5) << kind;
    }
    // The missing keys join their sections in CR line ends; no section is added twice.
    const std::string after = ReadText(m_path);
    EXPECT_EQ(after.find('\n'), std::string::npos);
    EXPECT_EQ(after.find("[Aquarium Settings]"), after.rfind("[Aquarium Settings]"));
    EXPECT_EQ(after.find("[Fish Number]"), after.rfind("[Fish Number]"));
    EXPECT_NE(after.find("\rShow Water=0\r"), std::string::npos);
}

TEST_F(SettingsLoad, BinaryGarbageGivesTheDefaults) {
    std::string garbage;
    for (int i = 0; i < 200000; ++i) {
        garbage += static_cast<char>((i * 131 + i / 7) & 0xFF);
    }
    AquariumSettings s = Load(&garbage);
    EXPECT_EQ(s.nShowTerra, 1);
    EXPECT_EQ(s.nFogLevel, 25);
    EXPECT_EQ(s.nBubbleCount, 100);
    std::string after = ReadText(m_path);
    EXPECT_EQ(after.substr(0, garbage.size()), garbage);
    EXPECT_EQ(ReadIniString(m_path, "Aquarium Settings", "QIPAONUM"), "100");
}

TEST(SettingsPath, IsReefSetIniInTheConfigFolder) {
    ScratchDir dir;
    ScopedEnv config("XDG_CONFIG_HOME", dir.path());
    EXPECT_EQ(GetSettingsFilePath(), dir / "glassreef/ReefSet.ini");
}

}  // namespace
}  // namespace reef
