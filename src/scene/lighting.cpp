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

void UpdateFog(int fogLevel) {
    glDisable(GL_FOG);
    glFogf(GL_FOG_DENSITY, FogDensity(fogLevel));
    glEnable(GL_FOG);
}

}  // namespace reef
