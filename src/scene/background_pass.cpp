#include "scene/background_pass.h"

#include <GL/gl.h>

#include <cstdint>

#include "scene/ripple_grid.h"

namespace reef {
namespace {

// Binds the plane's picture and sets the plane's transform on top of the camera's model-view
// matrix. The grids span [-1, 1] at z = 0; texture (0, 0) lands on the plane's bottom-left
// corner.
void SetUpPlane(const BackgroundInputs& inputs) {
    glBindTexture(GL_TEXTURE_2D,
                  inputs.customBackground ? inputs.customTexture : inputs.desktopTexture);
    glTranslatef(0.0f, 0.0f, kBackgroundPlaneZ);
    PlaneHalfSize half = BackgroundHalfSize(inputs.aspectClass, inputs.screenWidth,
                                            inputs.screenHeight, inputs.listedScreen);
    glScalef(half.width, half.height, 1.0f);
}

// The depth buffer's value at pixel (x, y), in the top `bits` bits of an unsigned int.
std::uint32_t ReadDepth(GLint x, GLint y, GLint bits) {
    GLuint value = 0;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, &value);
    return bits >= 32 ? value : value >> (32 - bits);
}

}  // namespace

void BackgroundPass(const BackgroundInputs& inputs, RippleGrids& grids, int drawnGrids) {
    if (!DrawsBackgroundPlane(inputs)) {
        return;
    }
    glPushMatrix();
    SetUpPlane(inputs);
    // Why grids 1 to 9 need not be drawn: every grid spans the same rectangle [-1, 1] x [-1, 1]
    // at z = 0 under this same transform, and the camera looks straight down the z axis, so no
    // x or y term reaches the depth: every vertex of every grid, and so every fragment, gets the
    // same window depth bit for bit. The depth function is never changed from GL_LESS and depth
    // writes stay on, so once grid 0 has covered the rectangle (its cells tile it without gaps),
    // each pixel holds either the plane's depth or a fish's nearer one, and every fragment of
    // the later grids fails the test there: what shows is grid 0. They still get their drops and
    // their steps, in order, so their waves and the random numbers run on as if drawn.
    RainFrame(grids, inputs.screenWidth, inputs.screenHeight, ProcessBackgroundCounters(),
              drawnGrids, [](const RippleGrid& grid) { grid.Draw(); });
    glPopMatrix();
}

void BackgroundPass(const BackgroundInputs& inputs, RippleGrids& grids, UnseenDrawing unseen) {
    BackgroundPass(inputs, grids, unseen == UnseenDrawing::kDraw ? kRippleGridCount : 1);
}

void DrawBackgroundPlane(const BackgroundInputs& inputs, const RippleGrid& first) {
    if (!DrawsBackgroundPlane(inputs)) {
        return;
    }
    glPushMatrix();
    SetUpPlane(inputs);
    first.Draw();
    glPopMatrix();
}

std::optional<double> DepthClearBehindPlane(const BackgroundInputs& inputs,
                                            const RippleGrid& first) {
    GLint bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (!DrawsBackgroundPlane(inputs) || bits < 1 || bits > 32 || viewport[2] < 1 ||
        viewport[3] < 1) {
        return std::nullopt;
    }
    const GLint x = viewport[0] + viewport[2] / 2;
    const GLint y = viewport[1] + viewport[3] / 2;
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    glDepthMask(GL_TRUE);
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    DrawBackgroundPlane(inputs, first);
    // Every fragment of the plane has the same depth (see BackgroundPass), so one pixel tells it.
    const std::uint64_t plane = ReadDepth(x, y, bits);
    const std::uint64_t largest = (std::uint64_t{1} << bits) - 1;
    std::optional<double> clear;
    if (plane < largest) {
        const double candidate = static_cast<double>(plane + 1) / static_cast<double>(largest);
        glClearDepth(candidate);
        glClear(GL_DEPTH_BUFFER_BIT);
        // Kept only when the buffer really holds the very next value: a renderer that rounds the
        // clear value otherwise gets the usual order.
        if (ReadDepth(x, y, bits) == plane + 1) {
            clear = candidate;
        }
    }
    glPopAttrib();
    return clear;
}

}  // namespace reef
