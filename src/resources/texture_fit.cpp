#include "resources/texture_fit.h"

#include <algorithm>

namespace reef {

int FitTextureSide(int size, int maxTextureSize) {
    int limit = std::min(maxTextureSize, 512);
    int wanted = std::min(size, limit);
    int side = 1;
    while (side < wanted) {
        side *= 2;
    }
    return std::max(side, 2);
}

}  // namespace reef
