#pragma once

#include <string>

namespace reef {

// The ambient sound's output: one wave file played over and over without a gap, at a level set
// apart from the playing, the way a sound card's wave-out volume is. The program runs AmbientLoop
// (media/ambient_loop.h) over GStreamer; tests of the hand-over logic give a fake.
class SoundLoop {
public:
    virtual ~SoundLoop() = default;

    // Level of everything this loop plays from now on, 0 (silent) to 65535 (full scale).
    virtual void SetLevel(int level) = 0;

    // Replaces whatever plays by `wavePath`, looping until Stop(). Returns once the file has been
    // read or opened, so the caller may delete it right away. A file that is missing or cannot be
    // played leaves the loop silent; nothing is reported.
    virtual void PlayLooping(const std::string& wavePath) = 0;

    // Silence; does nothing when nothing plays.
    virtual void Stop() = 0;
};

}  // namespace reef
