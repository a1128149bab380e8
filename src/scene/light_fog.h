#pragma once

namespace reef {

// Light 1's ambient and diffuse strength for a light setting of 0..100: larger settings give a
// darker tank (0 -> 1.0, 50 -> 0.5, 100 -> 0).
inline float LightStrength(int lightLevel) {
    return static_cast<float>(100 - lightLevel) * 0.01f;
}

// The exponential fog density for a fog setting of 0..25: 25 -> 0 (no fog), 0 -> 0.0125.
inline float FogDensity(int fogLevel) {
    return static_cast<float>(25 - fogLevel) * 0.0005f;
}

}  // namespace reef
