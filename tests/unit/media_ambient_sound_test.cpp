#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "media/ambient_sound.h"
#include "media/sound_hand_over.h"
#include "media/sound_loop.h"
#include "resources/resource_source.h"
#include "test_env.h"

extern const reef::ResourceEntry kTestResourceEntries[];

namespace reef {
namespace {

// Records what it is asked, and whether the file to loop existed when it was asked.
class FakeLoop : public SoundLoop {
public:
    void SetLevel(int level) override { calls.push_back("level " + std::to_string(level)); }
    void PlayLooping(const std::string& path) override {
        calls.push_back("play");
        played.push_back(path);
        fileExisted = std::filesystem::is_regular_file(path);
    }
    void Stop() override { calls.push_back("stop"); }

    std::vector<std::string> calls;
    std::vector<std::string> played;
    bool fileExisted = false;
};

TEST(AmbientSound, LevelIsFullScaleMinusTheAttenuationKeptInRange) {
    struct {
        int nVolume;
        int level;
    } const cases[] = {
        {32767, 32768},  // the default "32767.5": half of full scale
        {0, 65535},         {65535, 0},
        {-20, 65535},  // a negative attenuation cannot make it louder than full scale
        {100000, 0},   // nor a large one negative
        {INT32_MIN, 65535},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AmbientLevel(c.nVolume), c.level) << c.nVolume;
    }
}

TEST(AmbientSound, StartUnpacksSetsTheLevelLoopsAndDeletesTheFiles) {
    test::ScratchDir dir;
    const std::string folder = dir.path() + "/";
    ResourceTable table(kTestResourceEntries);
    FakeLoop loop;
    StartAmbientSound(loop, table, folder, 32767);
    EXPECT_EQ(loop.calls, (std::vector<std::string>{"level 32768", "play"}));
    ASSERT_EQ(loop.played, std::vector<std::string>{folder + "Music.wav"});
    EXPECT_TRUE(loop.fileExisted);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));  // neither Music.ad nor Music.wav stays
}

TEST(AmbientSound, MissingResourceStillAsksTheLoopAndLeavesNoFile) {
    test::ScratchDir dir;
    const ResourceEntry none[] = {{nullptr, 0, nullptr, 0}};
    ResourceTable empty(none);
    FakeLoop loop;
    StartAmbientSound(loop, empty, dir.path() + "/", 32767);
    EXPECT_FALSE(loop.fileExisted);  // the loop finds no file and stays silent
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// The frame loop's hand-over over a run of frames: the ambient loop starts on the first frame
// after the music dialog reports no own music, and not again while it keeps reporting so.
TEST(SoundHandOver, StartsOnceAfterOwnMusicGoesOffAndStopsWhileItIsOn) {
    SoundFlags flags;
    FakeLoop loop;
    int starts = 0;
    auto frame = [&] { HandOverSound(flags, loop, [&] { ++starts; }); };

    frame();  // before the dialog's first tick own music counts as on
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(loop.calls, std::vector<std::string>{"stop"});

    flags.ownMusicActive = false;  // the dialog's first tick
    frame();
    frame();
    frame();
    EXPECT_EQ(starts, 1);
    EXPECT_FALSE(flags.ambientRestartPending);

    flags.ownMusicActive = true;  // On/Off switched on: stopped at the next frame
    loop.calls.clear();
    frame();
    EXPECT_EQ(loop.calls, std::vector<std::string>{"stop"});
    EXPECT_TRUE(flags.ambientRestartPending);

    flags.ownMusicActive = false;  // and back once it is off again
    frame();
    EXPECT_EQ(starts, 2);
}

}  // namespace
}  // namespace reef
