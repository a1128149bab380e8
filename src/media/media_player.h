#pragma once

#include <string>

namespace reef {

// The device that plays the user's music files, one file at a time. The music dialog's logic
// talks to it only through this face, so that logic is tested with a fake; the program runs
// MusicPlayer (media/music_player.h) over GStreamer.
//
// Positions and lengths are in milliseconds. Once the end of the stream is reached the position
// equals the length, which is how the dialog's timer notices the end of a song. Volume runs from
// 0 (silent) to 1000 (full scale).
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    // Releases the stream that was open, then opens `file` (a path, UTF-8; empty opens nothing).
    // Returns once the file is ready to play or known not to be; CanPlay() tells which.
    virtual void Open(const std::string& file) = 0;
    // True when the last Open() found a file that plays.
    virtual bool CanPlay() const = 0;

    // Plays from the current position; returns at once, the sound goes on by itself.
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void Seek(int milliseconds) = 0;
    // Closes the open stream; the position and length are 0 afterwards.
    virtual void Close() = 0;

    virtual int GetPosition() = 0;
    virtual int GetLength() = 0;

    // Stores `volume` (0..1000) first, then applies it to the stream, now and after every Open().
    virtual void SetVolume(int volume) = 0;
    virtual int GetVolume() const = 0;
};

}  // namespace reef
