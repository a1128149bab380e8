#pragma once

#include <memory>
#include <string>

#include "media/sound_loop.h"

namespace reef {

// SoundLoop over a GStreamer playbin. The wave file is opened by PlayLooping() itself and read
// through that descriptor from then on, so the file may be deleted as soon as the call returns.
// The loop is a segment seek back to the start each time the stream reports the end of its
// segment, answered on a thread of the loop's own while the sound card still holds the last
// buffers: no sample is dropped or repeated where the file joins its start.
//
// Nothing blocks a frame: PlayLooping() returns before the stream has prerolled, and the sound
// output is looked for on the loop's thread. While there is no output (no sound server, no sound
// device), or after the output failed (the server was restarted), the loop stays silent and that
// thread tries again after 1 s, 2 s, 4 s and then every 10 s, each time from the start of the
// file at the current level, and only when a sound server answers on its socket; once a second
// it looks whether a server has come, and tries at once when one has (KeepPlaying,
// SoundServerAnswers). In between it sleeps. At most one stream is open at a time.
class AmbientLoop : public SoundLoop {
public:
    // `audioSink` is where the sound goes, in GStreamer's launch syntax, as for MusicPlayer; empty
    // plays on the desktop's sound output.
    explicit AmbientLoop(std::string audioSink = {});
    ~AmbientLoop() override;
    AmbientLoop(const AmbientLoop&) = delete;
    AmbientLoop& operator=(const AmbientLoop&) = delete;

    // level / 65535 is the linear gain; values outside 0..65535 are clamped.
    void SetLevel(int level) override;
    void PlayLooping(const std::string& wavePath) override;
    void Stop() override;

private:
    class Stream;

    std::string m_audioSink;
    int m_level = 65535;
    std::unique_ptr<Stream> m_stream;
};

}  // namespace reef
