#include "scene/background_pass.h"

#include <GL/gl.h>

#include "scene/ripple_grid.h"

namespace reef {

void BackgroundPass(const BackgroundInputs& inputs, RippleGrids& grids, UnseenDrawing unseen) {
    if (!DrawsBackgroundPlane(inputs)) {
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
    // Why grids 1 to 9 need not be drawn: every grid spans the same rectangle [-1, 1] x [-1, 1]
    // at z = 0 under this same transform, and the camera looks straight down the z axis, so no
    // x or y term reaches the depth: every vertex of every grid, and so every fragment, gets the
    // same window depth bit for bit. The depth function is never changed from GL_LESS and depth
    // writes stay on, so once grid 0 has covered the rectangle (its cells tile it without gaps),
    // each pixel holds either the plane's depth or a fish's nearer one, and every fragment of
    // the later grids fails the test there: what shows is grid 0. They still get their drops and
    // their steps, in order, so their waves and the random numbers run on as if drawn.
    const int drawn = unseen == UnseenDrawing::kDraw ? kRippleGridCount : 1;
    RainFrame(grids, inputs.screenWidth, inputs.screenHeight, ProcessBackgroundCounters(), drawn,
              [](const RippleGrid& grid) { grid.Draw(); });
    glPopMatrix();
}

}  // namespace reef
