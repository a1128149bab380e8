#pragma once

namespace reef {

// Work that changes no pixel is left out of every frame of the program: the ripple grids behind
// the first one, fog of density 0, the colour clear under the background plane, blending with
// the function (one, zero) and the plane's depth writes and depth test (the plane is drawn
// before the fish, which are tested against a depth just behind it). kDraw puts it back, for
// the drawing tests that show the frames come out the same byte for byte either way.
enum class UnseenDrawing { kSkip, kDraw };

}  // namespace reef
