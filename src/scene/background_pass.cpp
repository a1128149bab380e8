#include "scene/background_pass.h"

#include <GL/gl.h>

#include "scene/ripple_grid.h"

namespace reef {

void BackgroundPass(const BackgroundInputs& inputs, RippleGrids& grids) {
    if (inputs.backgroundChoice != 0 || inputs.showTerrain == 0) {
        return;
    }
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D,
                  inputs.customBackground ? inputs.customTexture : inputs.desktopTexture);
    // The grids span [-1, 1] at z = 0; texture (0, 0) lands on the plane's bottom-left corner.
    glTranslatef(0.0f, 0.0f, kBackgroundPlaneZ);
    PlaneHalfSize half = BackgroundHalfSize(inputs.aspectClass, inputs.screenWidth,
                                            inputs.screenHeight, inputs.listedScreen);
    glScalef(half.width, half.height, 1.0f);
    RainFrame(grids, inputs.screenWidth, inputs.screenHeight, ProcessBackgroundCounters(),
              [](const RippleGrid& grid) { grid.Draw(); });
    glPopMatrix();
}

}  // namespace reef
