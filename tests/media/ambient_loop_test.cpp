#include "media/ambient_loop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "media/media_test_support.h"
#include "unit/test_env.h"

namespace reef::test {
namespace {

constexpr int kLoop = kRate * 4 / 10;  // a 0.4 s file

TEST(AmbientLoop, LoopsSampleExactPastTheEndOfADeletedFileUntilStopped) {
    ScratchDir dir;
    const std::string wave = dir / "Music.wav", out = dir / "out.raw";
    const std::vector<std::int16_t> pattern = Pattern(kLoop);
    WriteWave(wave, pattern);
    AmbientLoop loop(CaptureSink(out));
    loop.PlayLooping(wave);
    std::remove(wave.c_str());

    ASSERT_TRUE(WaitUntil([&] { return SizeOf(out) >= 3u * kLoop * 2; }, 5000))
        << "played " << SizeOf(out) / 2 << " samples";
    loop.Stop();
    EXPECT_EQ(OpenDescriptorsOf(wave), 0) << "Stop closes the file";
    const std::uintmax_t stopped = SizeOf(out);
    Sleep(300);
    EXPECT_EQ(SizeOf(out), stopped) << "Stop silences";

    // The capture is the file over and over: no sample lost, doubled or inserted at the joins.
    std::vector<std::int16_t> played = ReadSamples(out);
    size_t wrong = 0;
    for (size_t i = 0; i < played.size(); ++i) {
        wrong += played[i] != pattern[i % kLoop];
    }
    EXPECT_EQ(wrong, 0u) << "of " << played.size();
}

// The gain of what was played from `from` to `to`, against the pattern.
double Gain(const std::vector<std::int16_t>& played, size_t from, size_t to) {
    const std::vector<std::int16_t> pattern = Pattern(kLoop);
    double sum = 0, ref = 0;
    for (size_t i = from; i < to; ++i) {
        sum += double(played[i]) * pattern[i % kLoop];
        ref += double(pattern[i % kLoop]) * pattern[i % kLoop];
    }
    return sum / ref;
}

TEST(AmbientLoop, LevelAppliesToTheNextPlayAndAtOnce) {
    ScratchDir dir;
    const std::string wave = dir / "Music.wav", out = dir / "out.raw";
    WriteWave(wave, Pattern(kLoop));
    AmbientLoop loop(CaptureSink(out));
    loop.SetLevel(32768);  // the default setting's level: half of full scale
    loop.PlayLooping(wave);
    ASSERT_TRUE(WaitUntil([&] { return SizeOf(out) >= 1u * kLoop * 2; }, 5000));
    const size_t turned = SizeOf(out) / 2;
    loop.SetLevel(16384);
    ASSERT_TRUE(WaitUntil([&] { return SizeOf(out) / 2 >= turned + 2 * kLoop; }, 5000));
    loop.Stop();

    std::vector<std::int16_t> played = ReadSamples(out);
    EXPECT_NEAR(Gain(played, 0, kLoop / 2), 32768 / 65535.0, 0.002);
    // The sink may still hold a little of the old level when the new one is set.
    EXPECT_NEAR(Gain(played, turned + kLoop, turned + 2 * kLoop), 16384 / 65535.0, 0.002);
}

// An output that fails to open (here a file sink whose folder is missing, as a sound server that
// is not there yet) is tried again a second later, and the loop then plays from its start.
TEST(AmbientLoop, AnOutputThatFailsIsTriedAgainAndPlaysFromTheStart) {
    ScratchDir dir;
    const std::string wave = dir / "Music.wav", later = dir / "later", out = later + "/out.raw";
    const std::vector<std::int16_t> pattern = Pattern(kLoop);
    WriteWave(wave, pattern);
    AmbientLoop loop(CaptureSink(out));
    loop.SetLevel(65535);
    loop.PlayLooping(wave);
    std::remove(wave.c_str());
    Sleep(300);
    std::filesystem::create_directory(later);

    ASSERT_TRUE(WaitUntil([&] { return SizeOf(out) >= 2u * kLoop * 2; }, 6000))
        << "the output was not tried again";
    loop.Stop();
    std::vector<std::int16_t> played = ReadSamples(out);
    size_t wrong = 0;
    for (size_t i = 0; i < played.size(); ++i) {
        wrong += played[i] != pattern[i % kLoop];
    }
    EXPECT_EQ(wrong, 0u) << "of " << played.size() << ": not the loop from its start";
}

// Stopped while it waits for its output, the loop stays stopped: nothing plays once the output
// is there. Started again, it plays at once (the hand-over back from the user's music).
TEST(AmbientLoop, StoppedWhileWaitingForItsOutputItStaysSilent) {
    ScratchDir dir;
    const std::string wave = dir / "Music.wav", later = dir / "later", out = later + "/out.raw";
    WriteWave(wave, Pattern(kLoop));
    AmbientLoop loop(CaptureSink(out));
    loop.PlayLooping(wave);
    Sleep(300);
    loop.Stop();
    EXPECT_EQ(OpenDescriptorsOf(wave), 0) << "Stop closes the file";
    std::filesystem::create_directory(later);
    Sleep(2500);
    EXPECT_FALSE(std::filesystem::exists(out)) << "tried again after Stop";

    loop.PlayLooping(wave);
    EXPECT_TRUE(WaitUntil([&] { return SizeOf(out) > 0; }, 5000));
}

TEST(AmbientLoop, FilesThatCannotPlayLeaveItSilent) {
    ScratchDir dir;
    const std::string out = dir / "out.raw";
    WriteText(dir / "text.wav", "not a sound\n");
    AmbientLoop loop(CaptureSink(out));
    loop.PlayLooping(dir / "missing.wav");
    loop.PlayLooping(dir / "text.wav");
    loop.PlayLooping(dir.path());
    Sleep(300);
    EXPECT_EQ(SizeOf(out), 0u);
    loop.Stop();
    loop.Stop();

    WriteWave(dir / "Music.wav", Pattern(kLoop));
    loop.PlayLooping(dir / "Music.wav");
    EXPECT_TRUE(WaitUntil([&] { return SizeOf(out) > 0; }, 5000)) << "and it still plays after";
}

}  // namespace
}  // namespace reef::test
