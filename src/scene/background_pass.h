#pragma once

#include <optional>

#include "scene/background_plane.h"
#include "scene/unseen_drawing.h"

namespace reef {

// What the background pass reads each frame.
struct BackgroundInputs {
    int backgroundChoice = 0;  // the plane is drawn only for 0
    int showTerrain = 1;       // and only when this is not 0
    bool customBackground = false;
    unsigned int customTexture = 0;  // bound instead of the desktop while customBackground is set
    unsigned int desktopTexture = 0;
    int aspectClass = 1;       // 0..6
    bool listedScreen = true;  // the screen size has a row in the class table
    int screenWidth = 1680;    // pixels: the range of the random drop positions
    int screenHeight = 1050;
};

// Whether BackgroundPass draws the plane for these inputs.
inline bool DrawsBackgroundPlane(const BackgroundInputs& inputs) {
    return inputs.backgroundChoice == 0 && inputs.showTerrain != 0;
}

// Draws the background picture at z = -110 through the ripple grids and rains one drop on each
// grid, under the camera's model-view matrix. Leaves the picture's texture bound and the matrix
// as it found it. Needs a current context; the plane takes the current colour, normal, lighting
// and fog. Only the first grid is sent to OpenGL, the only one that can change a pixel (see the
// definition); `unseen` kDraw sends all of them, as tests do to compare.
void BackgroundPass(const BackgroundInputs& inputs, RippleGrids& grids,
                    UnseenDrawing unseen = UnseenDrawing::kSkip);

// The same pass with only the first `drawnGrids` grids sent to OpenGL; 0 when the plane was
// already drawn this frame by DrawBackgroundPlane(), so the pass only rains and steps the grids.
void BackgroundPass(const BackgroundInputs& inputs, RippleGrids& grids, int drawnGrids);

// Draws the picture through the first grid as it stands, with no drop and no step, under the
// camera's model-view matrix; for frames that draw the plane before the fish. Leaves the matrix
// as it found it and the picture's texture bound.
void DrawBackgroundPlane(const BackgroundInputs& inputs, const RippleGrid& first);

// The depth clear value one step of the depth buffer behind the plane: fish fragments then pass
// the usual GL_LESS test against it exactly where they are not behind the plane, the same
// fragments that the plane, drawn after them, would leave showing. Found by drawing the plane
// into the depth buffer and reading it back, so it needs the frame's viewport, projection and
// camera matrices; the depth buffer is left undefined, everything else as it was. None when no
// plane is drawn or the renderer does not store the value exactly.
std::optional<double> DepthClearBehindPlane(const BackgroundInputs& inputs,
                                            const RippleGrid& first);

}  // namespace reef
