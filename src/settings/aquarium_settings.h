#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace reef {

// The scene settings read from section "Aquarium Settings" of ReefSet.ini, and the fish counts
// of section "Fish Number". Colours (cr...) hold 0x00BBGGRR. Most fields are kept only so the
// file round-trips; the running tank uses nShowTerra, nBackground, nFogLevel (0..25, 25 = no
// fog), nLightLevel (always 50 after the load), nVolume (attenuation of the ambient loop) and
// nFishCount (one count per fish kind, index = kind, at most 50 each).
struct AquariumSettings {
    std::int32_t nShowWater;
    std::int32_t nShowLight;
    std::int32_t nShowTerra;
    std::int32_t nFrontFixed;
    std::int32_t crFrontColor;
    std::int32_t nFrontGradual;
    std::int32_t crFrontColor1;
    std::int32_t crFrontColor2;
    std::int32_t nFrontAutoGradual;
    std::int32_t nLockFront;
    float fFrontRotation;
    std::int32_t nBackFixed;
    std::int32_t crBackColor;
    std::int32_t nBackGradual;
    std::int32_t crBackColor1;
    std::int32_t crBackColor2;
    std::int32_t nBackAutoGradual;
    std::int32_t nLockBack;
    float fBackRotation;
    std::int32_t nVolume;
    std::int32_t nBubbleCount;
    std::int32_t nBackground;
    std::array<std::int32_t, 15> nFishCount;
    std::int32_t nFogLevel;
    std::int32_t nLightLevel;
    std::int32_t nAutoViews;
    std::int32_t nViewLeftRight;
    std::int32_t nViewNearFar;
};

// The process-wide settings: all zero until LoadAquariumSettings() runs at scene start-up.
extern AquariumSettings g_settings;

// The settings file: the system folder (GetSystemFolder(), ending in '/') + "ReefSet.ini".
// Built afresh on every call. When the folder cannot be found the path is just "ReefSet.ini",
// in the current directory.
std::string GetSettingsFilePath();

// Fills g_settings from the settings file and writes back forced, missing and out-of-range
// values, all in one replacement of the file. Missing fish counts are drawn from reef::Rand(), one
// draw per missing key in kind order. A file that cannot be written is no error: the values are
// used all the same. Temporary files of earlier runs' writes that were cut short are deleted first.
void LoadAquariumSettings();

// The same for any file and record.
void LoadAquariumSettings(const std::string& path, AquariumSettings& settings);

}  // namespace reef
