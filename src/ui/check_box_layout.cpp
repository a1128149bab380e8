#include "ui/check_box_layout.h"

#include <algorithm>

namespace reef {

CheckBoxLayout LayOutCheckBox(int width, int height, int size, int textStyle) {
    CheckBoxLayout layout;
    layout.focus = UiRect{2, 2, width - 4, height - 4};
    const UiRect inner{3, 3, width - 6, height - 6};
    // The square sits a pixel above the true centre for the usual heights; the text is
    // centred on its own.
    const int top = (inner.bottom() - size - inner.y) / 2 + 2;
    if (textStyle & kCheckTextLeft) {
        layout.indicator = UiRect{inner.right() - size, top, size, size};
        layout.text =
            UiRect{inner.x, inner.y, layout.indicator.x - kCheckTextGap - inner.x, inner.height};
    } else {
        layout.indicator = UiRect{inner.x, top, size, size};
        const int left = layout.indicator.right() + kCheckTextGap;
        layout.text = UiRect{left, inner.y, inner.right() - left, inner.height};
    }
    const UiRect& square = layout.indicator;
    if (square.x < 0 || square.y < 0 || square.right() > width || square.bottom() > height) {
        // A box too small for the margins (the dialogs' text-less boxes of 14 x 17 or 15 x 14
        // pixels): the indicator is made as large as the box allows and centred in it, whole,
        // rather than drawn at its full size and cut by the box's edges. No room is left for
        // text.
        const int side = std::max(0, std::min({size, width, height}));
        layout.indicator = UiRect{(width - side) / 2, (height - side) / 2, side, side};
        layout.text = UiRect{layout.indicator.right(), layout.indicator.y, 0, side};
    }
    return layout;
}

ColorRef CheckIndicatorFill(bool enabled, bool checked, ColorRef checkedColor,
                            ColorRef uncheckedColor, ColorRef shadowColor) {
    if (!enabled) {
        return shadowColor;
    }
    return checked ? checkedColor : uncheckedColor;
}

}  // namespace reef
