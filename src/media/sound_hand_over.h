#pragma once

#include <functional>

namespace reef {

class SoundLoop;

// The two process-wide flags through which the music dialog and the frame loop share the sound
// output: while the user's own music is on, the ambient loop stays silent.
struct SoundFlags {
    // Copied from the music dialog's On/Off box by the dialog's 200 ms timer. It starts true, so
    // the ambient loop waits for the dialog's first tick to tell whether own music plays.
    bool ownMusicActive = true;
    // Set while own music is active; cleared once the ambient loop has been started again.
    bool ambientRestartPending = true;
};

SoundFlags& ProcessSoundFlags();

// One frame's hand-over, run by the frame loop after each frame: while own music is active,
// marks a restart pending and keeps `ambient` stopped; otherwise, when a restart is pending,
// calls `startAmbient` once and clears the mark.
void HandOverSound(SoundFlags& flags, SoundLoop& ambient,
                   const std::function<void()>& startAmbient);

}  // namespace reef
