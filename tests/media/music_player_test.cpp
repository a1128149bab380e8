#include "media/music_player.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "media/media_test_support.h"
#include "unit/test_env.h"

namespace reef::test {
namespace {

// One second of a 441 Hz tone at a steady amplitude of 16000.
std::vector<std::int16_t> Tone(int ms) {
    std::vector<std::int16_t> samples(kRate * ms / 1000);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(16000 * std::sin(2 * M_PI * 441 * i / kRate));
    }
    return samples;
}

double Rms(const std::vector<std::int16_t>& s, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) {
        sum += double(s[i]) * s[i];
    }
    return std::sqrt(sum / double(to - from));
}

TEST(MusicPlayer, PlaysToTheEndWhereThePositionEqualsTheLength) {
    ScratchDir dir;
    WriteWave(dir / "song.wav", Tone(1000));
    MusicPlayer player(CaptureSink(dir / "out.raw"));
    player.SetVolume(500);  // before Open, as the dialog does: applies to the stream it opens
    player.Open(dir / "song.wav");
    ASSERT_TRUE(player.CanPlay());
    EXPECT_EQ(player.GetLength(), 1000);
    EXPECT_EQ(player.GetPosition(), 0);

    player.Play();
    int last = 0;
    bool ordered = true;
    bool turned = false;
    bool ended = WaitUntil(
        [&] {
            int position = player.GetPosition();
            ordered = ordered && position >= last;
            last = position;
            if (!turned && position >= 500) {
                player.SetVolume(250);  // halves the level at once, mid-song
                turned = true;
            }
            return position == player.GetLength();
        },
        5000);
    ASSERT_TRUE(ended) << "stuck at " << last;
    EXPECT_TRUE(ordered);
    Sleep(300);
    EXPECT_EQ(player.GetPosition(), 1000) << "the end stays the end";
    EXPECT_EQ(player.GetLength(), 1000);

    // Every sample arrived, at volume 500 in the first half and 250 towards the end.
    std::vector<std::int16_t> out = ReadSamples(dir / "out.raw");
    ASSERT_EQ(out.size(), size_t(kRate));
    const double full = 16000 / std::sqrt(2.0);
    EXPECT_NEAR(Rms(out, 0, kRate / 4), full * 0.5, full * 0.01);
    EXPECT_NEAR(Rms(out, kRate * 3 / 4, kRate), full * 0.25, full * 0.01);

    // Seek(0) leaves the end, and the song plays again (the Repeat One chain).
    player.Seek(0);
    EXPECT_EQ(player.GetPosition(), 0);
    player.Play();
    EXPECT_TRUE(WaitUntil([&] { return player.GetPosition() == 1000; }, 5000));
}

// A constant bit rate mp3 without a header for its length tells the length only some frames into
// playing. Asked as the dialog asks (the position, then the length), it must not look ended
// before it is.
TEST(MusicPlayer, AnMp3ThatTellsItsLengthLateIsNotTakenForEnded) {
    ScratchDir dir;
    WriteWave(dir / "song.wav", Tone(1500));
    {
        // The player itself encodes it, playing the wave into an mp3 encoder.
        MusicPlayer encoder(
            "audioconvert ! lamemp3enc target=bitrate cbr=true bitrate=64 ! filesink location=\"" +
            (dir / "song.mp3") + "\"");
        encoder.Open(dir / "song.wav");
        encoder.Play();
        ASSERT_TRUE(WaitUntil([&] { return encoder.GetPosition() == 1500; }, 5000));
    }
    MusicPlayer player("fakesink");
    player.Open(dir / "song.mp3");
    ASSERT_TRUE(player.CanPlay());
    player.Play();
    int early = -1, position = 0, length = 0;
    bool ended = WaitUntil(
        [&] {
            position = player.GetPosition();
            length = player.GetLength();
            if (position == length && position < 1400) {
                early = position;
            }
            return position == length;
        },
        5000);
    ASSERT_TRUE(ended);
    EXPECT_EQ(early, -1) << "taken for ended at " << early << " ms";
    EXPECT_NEAR(length, 1500, 100);  // the encoder pads the start and the end a little
}

TEST(MusicPlayer, StopHoldsThePosition) {
    ScratchDir dir;
    WriteWave(dir / "song.wav", Tone(2000));
    MusicPlayer player("fakesink");
    player.Open(dir / "song.wav");
    player.Play();
    ASSERT_TRUE(WaitUntil([&] { return player.GetPosition() >= 300; }, 5000));
    player.Stop();
    int held = player.GetPosition();
    Sleep(300);
    EXPECT_NEAR(player.GetPosition(), held, 5);
    EXPECT_LT(held, 2000);
}

TEST(MusicPlayer, VolumeIsClampedAndKeptAcrossOpen) {
    MusicPlayer player("fakesink");
    EXPECT_EQ(player.GetVolume(), 1000);
    const struct {
        int given, kept;
    } cases[] = {{300, 300}, {0, 0}, {-5, 0}, {1000, 1000}, {1200, 1000}};
    for (const auto& c : cases) {
        player.SetVolume(c.given);
        EXPECT_EQ(player.GetVolume(), c.kept) << c.given;
    }
    player.SetVolume(640);
    player.Open("");
    EXPECT_EQ(player.GetVolume(), 640);
}

TEST(MusicPlayer, OpenAndCloseReleaseThePreviousStream) {
    ScratchDir dir;
    const std::string a = dir / "a.wav", b = dir / "b.wav";
    WriteWave(a, Tone(1500));
    WriteWave(b, Tone(500));
    MusicPlayer player("fakesink");
    player.Open(a);
    player.Play();
    ASSERT_TRUE(WaitUntil([&] { return player.GetPosition() > 100; }, 5000));
    EXPECT_EQ(OpenDescriptorsOf(a), 1);

    player.Open(b);
    EXPECT_EQ(OpenDescriptorsOf(a), 0);
    EXPECT_TRUE(player.CanPlay());
    EXPECT_EQ(player.GetLength(), 500);
    EXPECT_EQ(player.GetPosition(), 0) << "the new stream starts at its beginning";

    player.Close();
    EXPECT_EQ(OpenDescriptorsOf(b), 0);
    EXPECT_EQ(player.GetPosition(), 0);
    EXPECT_EQ(player.GetLength(), 0);

    player.Open(a);
    player.Open(dir / "missing.wav");
    EXPECT_EQ(OpenDescriptorsOf(a), 0);
    EXPECT_FALSE(player.CanPlay());
}

TEST(MusicPlayer, FilesThatCannotPlayAreRefusedQuietly) {
    ScratchDir dir;
    WriteWave(dir / "good.wav", Tone(500));
    std::string wave = ReadText(dir / "good.wav");
    WriteText(dir / "empty.mp3", "");
    WriteText(dir / "text.mp3", "These are the words of a song, not its sound.\n");
    WriteText(dir / "cut.wav", wave.substr(0, 30));
    std::string noise(4096, '\0');
    for (size_t i = 0; i < noise.size(); ++i) {
        noise[i] = char((i * 2654435761u) >> 13);
    }
    WriteText(dir / "noise.wav", noise);
    // Adaptive multi-rate speech: the type is known, but no decoder for it is installed.
    WriteText(dir / "speech.amr", "#!AMR\n" + std::string(64, '\x3c'));
    std::filesystem::create_directory(dir / "folder.mp3");
    // Opening a FIFO for reading waits for a writer; nobody writes this one.
    ASSERT_EQ(mkfifo((dir / "pipe.mp3").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.wav");
    WriteText(dir / "locked.wav", wave);
    chmod((dir / "locked.wav").c_str(), 0);

    const struct {
        const char* file;
        const char* what;
    } cases[] = {
        {"missing.mp3", "no such file"},
        {"empty.mp3", "empty file"},
        {"text.mp3", "a text file named .mp3"},
        {"cut.wav", "a wave file cut inside its header"},
        {"noise.wav", "bytes of no format"},
        {"speech.amr", "a format without a decoder"},
        {"folder.mp3", "a directory"},
        {"locked.wav", "a file that cannot be read"},
        {"pipe.mp3", "a FIFO"},
        {"zero.wav", "a link to an endless device"},
    };
    MusicPlayer player("fakesink");
    for (const auto& c : cases) {
        if (std::string(c.file) == "locked.wav" && geteuid() == 0) {
            // Root reads a file whatever its mode says; there is no unreadable file to make.
            continue;
        }
        player.Open(dir / c.file);
        EXPECT_FALSE(player.CanPlay()) << c.what;
        player.Seek(0);
        player.Play();
        EXPECT_EQ(player.GetLength(), 0) << c.what;
        EXPECT_EQ(player.GetPosition(), 0) << c.what;
        player.Stop();
    }
    player.Open(dir / "good.wav");
    EXPECT_TRUE(player.CanPlay()) << "a refused file leaves the player working";
}

TEST(MusicPlayer, PlaysPathsWithSpacesSignsAndLettersBeyondAscii) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "my songs");
    const std::string path = dir / "my songs/Canción #1 100% ¿sí? ♪.wav";
    WriteWave(path, Tone(500));
    MusicPlayer player("fakesink");
    player.Open(path);
    ASSERT_TRUE(player.CanPlay());
    EXPECT_EQ(player.GetLength(), 500);
    player.Play();
    EXPECT_TRUE(WaitUntil([&] { return player.GetPosition() == 500; }, 5000));
}

}  // namespace
}  // namespace reef::test
