#pragma once

#include <string>

namespace reef {

class ResourceSource;
class SoundLoop;

// The embedded ambient sound: resource 227, a mono wave file that loops without a seam.
inline constexpr int kAmbientSoundResource = 227;

// The loop's level for the settings' attenuation `nVolume`: 65535 - nVolume, with nVolume kept
// to 0..65535 first, so a stray value in the settings file can neither overflow nor go negative.
int AmbientLevel(int nVolume);

// Unpacks the ambient sound into `systemFolder` as "Music.wav" (or where ExtractResource falls
// back to), sets `loop` to AmbientLevel(nVolume), starts it looping and deletes the unpacked
// files again. A missing resource leaves the loop silent; nothing is reported.
void StartAmbientSound(SoundLoop& loop, const ResourceSource& resources,
                       const std::string& systemFolder, int nVolume);

}  // namespace reef
