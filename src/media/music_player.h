#pragma once

#include <cstdint>
#include <string>

#include "media/media_player.h"

typedef struct _GstElement GstElement;

namespace reef {

// MediaPlayer over a GStreamer playbin, playing the sound of one local file at a time.
//
// Open() waits for the file to preroll, at most kOpenTimeoutMs, so a file that cannot be read or
// decoded costs the caller little; it then answers CanPlay() false and plays nothing. What is not
// a regular file (a FIFO, a device, a folder) is refused before GStreamer sees it, as opening it
// could block the program. Nothing is
// ever shown or printed about such a file.
//
// The end of the stream and errors are read off the pipeline's bus whenever the position or the
// length is asked for. The music dialog asks every 200 ms from its timer, so the player needs no
// main loop of its own and no bus watch. An error while playing counts as the end of the stream:
// the position then equals the length, as at the end of the file. A file that tells its length only
// once it plays (some mp3 files) answers a length just past its position until then.
class MusicPlayer : public MediaPlayer {
public:
    // The longest Open() waits for a file to be ready to play.
    static constexpr int kOpenTimeoutMs = 2000;

    // `audioSink` is where the sound goes, in GStreamer's launch syntax (tests pass "fakesink"
    // or a file sink); its sinks run against the clock. Empty plays on the desktop's sound output.
    explicit MusicPlayer(std::string audioSink = {});
    ~MusicPlayer() override;
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    void Open(const std::string& file) override;
    bool CanPlay() const override { return m_canPlay; }

    void Play() override;
    // Pauses where the stream is; Play() goes on from there.
    void Stop() override;
    // Moves to `milliseconds` and pauses there, clearing the end of the stream.
    void Seek(int milliseconds) override;
    void Close() override;

    int GetPosition() override;
    int GetLength() override;

    // Clamped to 0..1000; the sound level follows it linearly.
    void SetVolume(int volume) override;
    int GetVolume() const override { return m_volume; }

private:
    void ReadBus();
    std::int64_t QueryLength();

    std::string m_audioSink;
    GstElement* m_pipeline = nullptr;
    bool m_canPlay = false;
    bool m_atEnd = false;
    int m_volume = 1000;
    // Milliseconds; -1 while the stream has not told its length.
    std::int64_t m_length = -1;
    std::int64_t m_lastPosition = 0;
};

}  // namespace reef
