#pragma once

#include "scene/unseen_drawing.h"

namespace reef {

// The per-frame light and fog updates; the view's OpenGL context must be current.

// Sets light 1's ambient and diffuse colours to the strength of `lightLevel` and enables
// lighting.
void UpdateLight(int lightLevel);

// Sets the fog density for `fogLevel` (fog is disabled while the density changes) and enables
// fog, except at density 0 (`fogLevel` 25, the default), where fog changes no pixel and stays
// off for the frame; `unseen` kDraw enables it then too, as tests do to compare.
void UpdateFog(int fogLevel, UnseenDrawing unseen = UnseenDrawing::kSkip);

}  // namespace reef
