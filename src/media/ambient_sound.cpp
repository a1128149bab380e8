#include "media/ambient_sound.h"

#include <algorithm>

#include "media/sound_loop.h"
#include "resources/extraction.h"
#include "resources/scramble.h"

namespace reef {

int AmbientLevel(int nVolume) {
    return 65535 - std::clamp(nVolume, 0, 65535);
}

void StartAmbientSound(SoundLoop& loop, const ResourceSource& resources,
                       const std::string& systemFolder, int nVolume) {
    const std::string name = "Music";
    const std::string folder =
        ExtractResource(resources, static_cast<std::uint16_t>(kAmbientSoundResource), systemFolder,
                        name)
            .value_or(systemFolder);
    loop.SetLevel(AmbientLevel(nVolume));
    // The loop has the file open or read once this returns, so both files can go at once.
    loop.PlayLooping(UnscrambledFilePath(folder, name));
    DeleteFile(ScrambledFilePath(folder, name));
    DeleteFile(UnscrambledFilePath(folder, name));
}

}  // namespace reef
