#pragma once

#include "ui/ui_types.h"

namespace reef {

// Text placement bits of a HoverCheckBox, kept apart from the window's own style.
enum CheckBoxTextStyle : int {
    kCheckTextLeftAligned = 0,
    kCheckTextLeft = 1,    // the text stands left of the indicator
    kCheckTextCenter = 2,  // the text is centred in its room
    kCheckTextRight = 4,   // the text is right-aligned in its room
};

// Where a check box draws its parts inside a control of the given client size.
struct CheckBoxLayout {
    UiRect focus;      // the focus rectangle (2 pixels inside the control)
    UiRect indicator;  // the indicator square
    UiRect text;       // the room for the text
};

// Default side of the round indicator in pixels.
inline constexpr int kCheckIndicatorSize = 15;
// Side of the check-box icons in pixels, at scale 1, when the control has room for it.
inline constexpr int kCheckIconSize = 16;
// Gap between the indicator and the text in pixels.
inline constexpr int kCheckTextGap = 3;

// `size` is the indicator's side; `textStyle` a combination of CheckBoxTextStyle bits. The
// indicator stands 3 pixels inside the control, beside the text; in a control too small for
// that it is the largest square up to `size` that fits, centred, and the text gets no room.
CheckBoxLayout LayOutCheckBox(int width, int height, int size, int textStyle);

// Indicator fill of the round look: the shadow colour when disabled, else the checked or the
// unchecked colour.
ColorRef CheckIndicatorFill(bool enabled, bool checked, ColorRef checkedColor,
                            ColorRef uncheckedColor, ColorRef shadowColor);

}  // namespace reef
