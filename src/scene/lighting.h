#pragma once

namespace reef {

// The per-frame light and fog updates; the view's OpenGL context must be current.

// Sets light 1's ambient and diffuse colours to the strength of `lightLevel` and enables
// lighting.
void UpdateLight(int lightLevel);

// Sets the fog density for `fogLevel` (fog is disabled while the density changes).
void UpdateFog(int fogLevel);

}  // namespace reef
