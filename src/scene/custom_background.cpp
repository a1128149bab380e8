#include "scene/custom_background.h"

namespace reef {

CustomBackgroundState& CustomBackground() {
    static CustomBackgroundState state;
    return state;
}

}  // namespace reef
