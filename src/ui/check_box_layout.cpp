#include "ui/check_box_layout.h"

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
