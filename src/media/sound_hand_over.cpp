#include "media/sound_hand_over.h"

#include "media/sound_loop.h"

namespace reef {

SoundFlags& ProcessSoundFlags() {
    static SoundFlags flags;
    return flags;
}

void HandOverSound(SoundFlags& flags, SoundLoop& ambient,
                   const std::function<void()>& startAmbient) {
    if (flags.ownMusicActive) {
        flags.ambientRestartPending = true;
        ambient.Stop();
    } else if (flags.ambientRestartPending) {
        startAmbient();
        flags.ambientRestartPending = false;
    }
}

}  // namespace reef
