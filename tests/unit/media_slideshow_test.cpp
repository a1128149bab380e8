#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "media/picture_textures.h"
#include "media/slideshow.h"
#include "platform/message.h"
#include "platform/random.h"
#include "settings/ini_file.h"
#include "test_env.h"

namespace reef {
namespace {

using test::ScratchDir;
using test::WriteText;

// Textures numbered from 100 in the order they are made; an empty path or one containing "bad"
// fails (until `healed`).
class FakeTextures : public PictureTextures {
public:
    unsigned int Create(const std::string& path) override {
        created.push_back(path);
        if (path.empty() || (!healed && path.find("bad") != std::string::npos)) {
            return 0;
        }
        const unsigned int name = m_next++;
        live.insert(name);
        return name;
    }
    void Release(unsigned int texture) override {
        if (texture != 0) {
            EXPECT_EQ(live.erase(texture), 1u) << "released twice or never made: " << texture;
        }
    }
    std::vector<std::string> created;
    std::set<unsigned int> live;
    bool healed = false;

private:
    unsigned int m_next = 100;
};

std::vector<std::string> g_messages;
void Capture(const std::string& text, const std::string& caption) {
    EXPECT_EQ(caption, "GlassReefScr");
    g_messages.push_back(text);
}

class SlideshowTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        SetMessageHandler(Capture);
    }
    void TearDown() override { SetMessageHandler(nullptr); }

    // Adds `count` pictures a.jpg, b.jpg, ...; row r gets texture 100 + r.
    void AddPictures(int count) {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(
                show.AddBackgroundImage(std::string(1, static_cast<char>('a' + i)) + ".jpg"));
        }
    }
    // The row shown, -1 for none.
    int CurrentRow() const {
        for (int r = 0; r < show.Count(); ++r) {
            if (show.TextureOfRow(r) == show.CurrentTexture()) {
                return r;
            }
        }
        return -1;
    }
    // Rows marked "ON", as a string of their indices.
    std::string OnRows() const {
        std::string on;
        for (std::size_t r = 0; r < show.Rows().size(); ++r) {
            if (show.Rows()[r].on) {
                on += std::to_string(r);
            }
        }
        return on;
    }
    // The row shown after each of `ticks` ticks, one character per tick ('-' for none).
    std::string Run(int ticks) {
        std::string rows;
        for (int t = 0; t < ticks; ++t) {
            show.Tick();
            rows += CurrentRow() < 0 ? '-' : static_cast<char>('0' + CurrentRow());
        }
        return rows;
    }

    FakeTextures textures;
    Slideshow show{textures};
};

TEST_F(SlideshowTest, PickPictureByOrder) {
    AddPictures(3);
    show.StartSlideshow();
    const struct {
        Slideshow::Mode mode;
        int currentRow;  // set by a user pick first; -1 leaves none current
        int row;
        bool userPick;
        int expected;  // row of the result
    } cases[] = {
        {Slideshow::kRepeatOne, -1, 2, false, 0},  // nothing shown yet: row 0
        {Slideshow::kRepeatOne, 2, 0, false, 2},   // keeps the current picture
        {Slideshow::kRepeatAll, -1, 0, false, 1},  // nothing shown yet: row 1, not row 0
        {Slideshow::kRepeatAll, 1, 0, false, 2},  {Slideshow::kRepeatAll, 2, 0, false, 0},  // wraps
        {Slideshow::kRandom, 1, 0, true, 0},  // a user pick ignores the order
        {Slideshow::kRepeatAll, 0, 2, true, 2},
    };
    for (const auto& c : cases) {
        show.ChooseOrder(c.mode);
        show.RemoveAll();
        AddPictures(3);
        if (c.currentRow >= 0) {
            show.ShowRow(c.currentRow);
        }
        const unsigned int picked = show.PickPicture(c.row, c.userPick);
        EXPECT_EQ(picked, show.TextureOfRow(c.expected))
            << "mode " << c.mode << " current " << c.currentRow << " row " << c.row;
        if (c.userPick) {
            EXPECT_EQ(OnRows(), std::to_string(c.expected));
        }
    }

    // Random draws one number from the process generator: that number modulo the row count.
    show.ChooseOrder(Slideshow::kRandom);
    RandomGenerator copy = ProcessRandom();
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(show.PickPicture(0, false), show.TextureOfRow(copy.Next() % 3));
    }

    show.StopSlideshow();
    EXPECT_EQ(show.PickPicture(1, true), 0u) << "stopped";
    show.StartSlideshow();
    show.RemoveAll();
    EXPECT_EQ(show.PickPicture(0, false), 0u) << "empty";
}

TEST_F(SlideshowTest, RepeatAllFromTheBoxStartsAtRowOneAndSwitchesEveryInterval) {
    AddPictures(3);
    show.ChooseOrder(Slideshow::kRepeatAll);
    show.SetIntervalText("1");  // five ticks of 200 ms
    show.ToggleOwnImage(true);
    EXPECT_EQ(Run(16), "1111122222000001");
    EXPECT_EQ(OnRows(), "1");
    show.ToggleOwnImage(false);
    EXPECT_FALSE(show.Running());
    EXPECT_EQ(OnRows(), "");
    EXPECT_EQ(Run(10), "1111111111") << "the last picture stays while stopped";
}

TEST_F(SlideshowTest, TheIntervalTakesEffectAtOnceButNeverFasterThanASecond) {
    AddPictures(2);
    show.ChooseOrder(Slideshow::kRepeatAll);
    show.StartSlideshow();
    EXPECT_EQ(Run(3), "111");
    show.SetIntervalText("1");  // two ticks counted since the switch: three more make five
    EXPECT_EQ(Run(3), "110");
    show.SetIntervalText("0");  // once a second, as 1, not at every tick
    EXPECT_EQ(Run(5), "00001");
    // A field with no number in it keeps the last interval that had one: the user clearing the
    // field to type another number, or a hand-edited settings file.
    for (const char* noNumber : {"", "x", "-3", " "}) {
        show.SetIntervalText("2");
        show.SetIntervalText(noNumber);
        EXPECT_EQ(show.IntervalSeconds(), 2) << '"' << noNumber << '"';
        EXPECT_EQ(show.IntervalText(), noNumber) << "the field keeps what was typed";
        show.StartSlideshow();  // a switch at the next tick, then every ten ticks
        const std::string rows = Run(21);
        const char first = rows[0];
        const char other = first == '0' ? '1' : '0';
        EXPECT_EQ(rows, std::string(10, first) + std::string(10, other) + first)
            << '"' << noNumber << '"';
    }
    show.SetIntervalText("2147483647");  // far in the future, not a wrap into the past
    const std::string rows = Run(1000);
    EXPECT_EQ(rows, std::string(1000, rows[0]));
}

TEST_F(SlideshowTest, DoubleClickSwitchesAndRepeatOneKeepsThatPicture) {
    AddPictures(3);
    show.SetIntervalText("1");
    show.ToggleOwnImage(true);
    EXPECT_EQ(Run(2), "00");
    show.ShowRow(2);  // the tick count goes on: 2 of 5 ticks already past
    EXPECT_EQ(OnRows(), "2");
    EXPECT_EQ(Run(8), "22222222");
    EXPECT_EQ(OnRows(), "2");

    show.StopSlideshow();
    show.ShowRow(1);
    EXPECT_EQ(show.CurrentTexture(), 0u) << "a double click while stopped shows nothing";
}

TEST_F(SlideshowTest, RemovingShiftsTexturesReleasesThemAndJumpsToRowZero) {
    AddPictures(4);
    show.ChooseOrder(Slideshow::kRepeatAll);
    show.StartSlideshow();
    EXPECT_EQ(Run(1), "1");
    show.ShowRow(2);

    show.RemoveImage(-1);  // nothing selected: the show jumps to row 0
    EXPECT_EQ(CurrentRow(), 0);
    EXPECT_EQ(OnRows(), "0");
    EXPECT_EQ(show.Count(), 4);

    show.RemoveImage(1);  // b.jpg goes; c and d move up with their textures
    EXPECT_EQ(show.Count(), 3);
    ASSERT_EQ(show.Rows().size(), 3u);
    EXPECT_EQ(show.Rows()[1].path, "c.jpg");
    EXPECT_EQ(show.TextureOfRow(1), 102u);
    EXPECT_EQ(show.TextureOfRow(2), 103u);
    EXPECT_EQ(show.TextureOfRow(3), 0u);
    EXPECT_EQ(textures.live, (std::set<unsigned int>{100, 102, 103}));
    EXPECT_EQ(CurrentRow(), 0);

    show.StopSlideshow();
    show.RemoveImage(0);
    EXPECT_EQ(show.CurrentTexture(), 0u) << "removing while stopped leaves no picture";

    show.StartSlideshow();
    show.SetIntervalText("0");
    show.RemoveAll();
    EXPECT_TRUE(show.Running()) << "Remove All leaves the running state";
    EXPECT_EQ(show.Count(), 0);
    EXPECT_TRUE(textures.live.empty());
    EXPECT_EQ(Run(3), "---");
    AddPictures(1);
    EXPECT_EQ(Run(3), "--0") << "a picture added to the running show appears at the next switch";
}

TEST_F(SlideshowTest, AddingRefusesAnEleventhPictureAndFailuresStopTheShow) {
    show.ToggleOwnImage(true);
    show.StopSlideshow();
    show.AddChosenImage("a.jpg");
    EXPECT_TRUE(show.Running()) << "the first picture with the box on starts the show";

    show.AddChosenImage("/pictures/bad.png");
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "(/pictures/bad.png)image loading error.");
    EXPECT_EQ(show.Count(), 1);
    // The failure stopped the show, but the count of one starts it again at once.
    EXPECT_TRUE(show.Running());

    AddPictures(9);
    g_messages.clear();
    EXPECT_FALSE(show.AddBackgroundImage("k.jpg"));
    EXPECT_EQ(g_messages, std::vector<std::string>{"The maximum number of background is: 10"});
    EXPECT_EQ(show.Count(), 10);
    EXPECT_EQ(textures.created.back(), "i.jpg") << "no texture made for a refused picture";

    show.RemoveImage(9);
    show.ChooseOrder(Slideshow::kRandom);
    show.AddBackgroundImage("bad.bmp");
    EXPECT_FALSE(show.Running());
    EXPECT_EQ(show.Count(), 9);
    EXPECT_EQ(show.TextureOfRow(9), 0u);
}

TEST_F(SlideshowTest, SettingsRoundTripInTheirOwnSection) {
    ScratchDir dir;
    const std::string ini = dir / "ReefSet.ini";
    AddPictures(2);
    show.ChooseOrder(Slideshow::kRepeatAll);
    show.ToggleOwnImage(true);
    show.SetIntervalText("07");
    show.SaveBackgroundSettings(ini);
    EXPECT_EQ(test::ReadText(ini),
              "[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\n"
              "ImageTime=07\nImageSum=2\nImageList0=a.jpg\nImageList1=b.jpg\n");

    FakeTextures other;
    Slideshow loaded{other};
    loaded.LoadBackgroundSettings(ini);
    EXPECT_EQ(other.created, (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_EQ(loaded.IntervalText(), "07");
    EXPECT_EQ(loaded.GetMode(), Slideshow::kRepeatAll);
    EXPECT_TRUE(loaded.OrderChecked(Slideshow::kRepeatAll));
    EXPECT_FALSE(loaded.OrderChecked(Slideshow::kRepeatOne));
    EXPECT_TRUE(loaded.OwnImage());
    EXPECT_TRUE(loaded.Running());

    // A shorter list leaves the old keys behind; the count bounds what is read.
    show.RemoveImage(0);
    show.SaveBackgroundSettings(ini);
    FakeTextures third;
    Slideshow shorter{third};
    shorter.LoadBackgroundSettings(ini);
    EXPECT_EQ(third.created, std::vector<std::string>{"b.jpg"});
}

TEST_F(SlideshowTest, LoadingAHandWrittenSection) {
    ScratchDir dir;
    const std::string ini = dir / "ReefSet.ini";
    const std::string longPath = "/" + std::string(140, 'p') + ".jpg";
    const struct {
        const char* flags;  // the three order keys and OwnImage
        Slideshow::Mode mode;
        bool running;
    } cases[] = {
        {"RandomImage=1\nCycImage=1\nRepeatImage=1\nOwnImage=1\n", Slideshow::kRepeatOne, true},
        {"RandomImage=1\nCycImage=1\nOwnImage=01\n", Slideshow::kRepeatAll, true},
        {"RandomImage= 1\nOwnImage=2\n", Slideshow::kRandom, false},  // only 1 counts as set
        {"RandomImage=yes\n", Slideshow::kRepeatOne, false},          // nothing set
    };
    for (const auto& c : cases) {
        WriteText(ini, std::string("[Custom Images]\n") + c.flags +
                           "ImageSum=3\nImageList0=gone/bad.jpg\nImageList1=" + longPath +
                           "\nImageList2=c.jpg\n");
        g_messages.clear();
        FakeTextures fake;
        Slideshow loaded{fake};
        loaded.LoadBackgroundSettings(ini);
        EXPECT_EQ(loaded.GetMode(), c.mode) << c.flags;
        EXPECT_TRUE(loaded.OrderChecked(c.mode)) << c.flags;
        EXPECT_EQ(loaded.Running(), c.running) << c.flags;
        EXPECT_EQ(loaded.IntervalText(), "5") << "missing ImageTime";
        // The missing file is reported and kept, unavailable; the long path comes back whole.
        EXPECT_EQ(g_messages, std::vector<std::string>{"(gone/bad.jpg)image loading error."});
        ASSERT_EQ(fake.created.size(), 3u);
        EXPECT_EQ(fake.created[1], longPath);
        ASSERT_EQ(loaded.Count(), 3);
        EXPECT_FALSE(loaded.Rows()[0].available);
        EXPECT_TRUE(loaded.Rows()[1].available && loaded.Rows()[2].available);
    }
}

TEST_F(SlideshowTest, AnOversizedCountReadsAFullListAndOneMessage) {
    ScratchDir dir;
    const std::string ini = dir / "ReefSet.ini";
    std::string text = "[Custom Images]\nImageSum=2000000000\n";
    for (int i = 0; i < 12; ++i) {
        text += "ImageList" + std::to_string(i) + "=p" + std::to_string(i) + ".png\n";
    }
    WriteText(ini, text);
    FakeTextures fake;
    Slideshow loaded{fake};
    loaded.LoadBackgroundSettings(ini);
    EXPECT_EQ(loaded.Count(), 10);
    EXPECT_EQ(g_messages, std::vector<std::string>{"The maximum number of background is: 10"});

    // The read ends at the last key the file holds, whatever the count says.
    WriteText(ini, "[Custom Images]\nImageSum=2000000000\nImageList1=p.png\n");
    g_messages.clear();
    fake.created.clear();
    Slideshow empty{fake};
    empty.LoadBackgroundSettings(ini);
    EXPECT_EQ(fake.created, (std::vector<std::string>{"", "p.png"}));
    EXPECT_EQ(empty.Count(), 1);
    EXPECT_EQ(g_messages, std::vector<std::string>{"()image loading error."});
}

// Pictures that cannot be loaded at the start (a disk not mounted yet) stay listed: the show
// passes over them in every order, they are saved again, and a double click loads them once
// their files are back.
TEST_F(SlideshowTest, UnavailablePicturesAreKeptNeverShownAndSavedAgain) {
    ScratchDir dir;
    const std::string ini = dir / "ReefSet.ini";
    const std::string section =
        "[Custom Images]\nCycImage=1\nOwnImage=1\nImageTime=1\nImageSum=4\n"
        "ImageList0=/disk/bad0.jpg\nImageList1=/pics/a.jpg\nImageList2=/disk/bad2.jpg\n"
        "ImageList3=/pics/b.jpg\n";
    WriteText(ini, section);
    show.LoadBackgroundSettings(ini);
    EXPECT_EQ(g_messages.size(), 2u);  // one message per picture that failed, as ever
    ASSERT_EQ(show.Count(), 4);
    EXPECT_TRUE(show.Running());
    EXPECT_EQ(show.TextureOfRow(0), 0u);
    EXPECT_EQ(show.TextureOfRow(2), 0u);
    EXPECT_EQ(Run(20), "11111333331111133333");  // Repeat All over rows 1 and 3 only

    show.ChooseOrder(Slideshow::kRandom);
    const std::string random = Run(40);
    EXPECT_EQ(random.find_first_not_of("13"), std::string::npos) << random;

    show.RemoveAll();
    show.LoadBackgroundSettings(ini);
    show.ChooseOrder(Slideshow::kRepeatOne);
    EXPECT_EQ(Run(3), "111");  // Repeat One from the first available row

    // A double click on a row that still fails says so and keeps the picture shown.
    g_messages.clear();
    show.ShowRow(2);
    EXPECT_EQ(g_messages, std::vector<std::string>{"(/disk/bad2.jpg)image loading error."});
    EXPECT_EQ(CurrentRow(), 1);

    // Saved again as they were, unavailable rows included.
    show.SaveBackgroundSettings(ini);
    EXPECT_EQ(ReadIniSection(ini, "Custom Images").Value("ImageSum"), "4");
    EXPECT_EQ(ReadIniSection(ini, "Custom Images").Value("ImageList2"), "/disk/bad2.jpg");

    // The disk is back: a double click loads and shows the row.
    textures.healed = true;
    show.ShowRow(2);
    EXPECT_TRUE(show.Rows()[2].available);
    EXPECT_EQ(CurrentRow(), 2);
    EXPECT_EQ(OnRows(), "2");

    // Removing the rows before it keeps each texture with its row.
    show.RemoveImage(0);
    EXPECT_EQ(show.Rows()[0].path, "/pics/a.jpg");
    EXPECT_EQ(CurrentRow(), 0);
}

}  // namespace
}  // namespace reef
