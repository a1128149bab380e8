#pragma once

class wxWindow;

namespace reef {

// Whether the top-level window holding `window` is on the screen: shown, and neither iconified
// nor withdrawn, whether by the program, the window manager or another client (an unmap request
// from outside leaves the toolkit believing the window is still shown).
bool IsTopLevelOnScreen(const wxWindow* window);

}  // namespace reef
