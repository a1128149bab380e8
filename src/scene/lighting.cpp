#include "scene/lighting.h"

#include <GL/gl.h>

#include "scene/light_fog.h"

namespace reef {

void UpdateLight(int lightLevel) {
    float v = LightStrength(lightLevel);
    const GLfloat colour[4] = {v, v, v, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, colour);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, colour);
    glEnable(GL_LIGHTING);
}

void UpdateFog(int fogLevel, UnseenDrawing unseen) {
    glDisable(GL_FOG);
    const float density = FogDensity(fogLevel);
    glFogf(GL_FOG_DENSITY, density);
    // Exponential fog blends each fragment towards the fog colour by f = e^(-density * z); at
    // density 0, f is exactly 1 at every depth and every fragment keeps its own colour, so
    // leaving fog off for the frame changes no pixel and saves its work on every fragment.
    if (density != 0.0f || unseen == UnseenDrawing::kDraw) {
        glEnable(GL_FOG);
    }
}

}  // namespace reef
