#pragma once

namespace reef {

// Drawing that changes no pixel (the ripple grids behind the first one, fog of density 0) is
// left out of every frame of the program. kDraw puts it back, for the drawing tests that show
// the frames come out the same byte for byte either way.
enum class UnseenDrawing { kSkip, kDraw };

}  // namespace reef
