#pragma once

namespace reef {

// The picture behind the tank: while the custom slideshow is in use, its current picture takes
// the place of the desktop snapshot. The Custom Background dialog writes it; the background pass
// reads it every frame, so a change shows on the next frame.
struct CustomBackgroundState {
    bool active = false;
    unsigned int texture = 0;  // OpenGL texture name of the current picture; 0 = none
};

// The process-wide state: inactive and without a picture until the dialog says otherwise.
CustomBackgroundState& CustomBackground();

}  // namespace reef
