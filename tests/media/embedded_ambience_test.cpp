#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "media/media_test_support.h"
#include "media/music_player.h"
#include "resources/extraction.h"
#include "unit/test_env.h"

namespace reef::test {
namespace {

// The ambience as the program unpacks it: a wave file that plays, 24 s long, whose last sample
// leads into the first no harder than its ordinary steps do.
TEST(EmbeddedAmbience, UnpacksToAWaveThatPlaysAndJoinsItsStartWithoutAStep) {
    ScratchDir dir;
    const std::string folder = dir.path() + "/";
    ASSERT_TRUE(ExtractResource(227, folder, "Music"));
    const std::string wave = folder + "Music.wav";

    MusicPlayer player("fakesink");
    player.Open(wave);
    EXPECT_TRUE(player.CanPlay());
    EXPECT_EQ(player.GetLength(), 24000);

    std::string bytes = ReadText(wave);
    ASSERT_GT(bytes.size(), 44u);
    std::vector<std::int16_t> samples((bytes.size() - 44) / 2);
    std::copy_n(bytes.data() + 44, samples.size() * 2, reinterpret_cast<char*>(samples.data()));
    std::vector<int> steps;
    for (size_t i = 1; i < samples.size(); ++i) {
        steps.push_back(std::abs(samples[i] - samples[i - 1]));
    }
    std::sort(steps.begin(), steps.end());
    const int join = std::abs(samples.front() - samples.back());
    EXPECT_LE(join, steps[steps.size() * 99 / 100]) << "a click where the loop joins";
}

}  // namespace
}  // namespace reef::test
