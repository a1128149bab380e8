#include <gtest/gtest.h>

#include "ui/check_box_layout.h"

namespace reef {
namespace {

TEST(CheckBoxLayout, IndicatorBesideTextOnEitherSide) {
    struct {
        int width, height, size, style;
        UiRect indicator, text;
    } cases[] = {
        // Indicator at the left of the inner rectangle (3 pixels in), text 3 pixels after it.
        {100, 24, 15, kCheckTextLeftAligned, {3, 3, 15, 15}, {21, 3, 76, 18}},
        // Alignment bits do not move the indicator.
        {100, 24, 15, kCheckTextCenter, {3, 3, 15, 15}, {21, 3, 76, 18}},
        {100, 24, 15, kCheckTextRight, {3, 3, 15, 15}, {21, 3, 76, 18}},
        // Left text: indicator at the right edge, text ending 3 pixels before it.
        {100, 24, 15, kCheckTextLeft, {82, 3, 15, 15}, {3, 3, 76, 18}},
        {100, 24, 15, kCheckTextLeft | kCheckTextRight, {82, 3, 15, 15}, {3, 3, 76, 18}},
        // Taller control: top = (bottom - size - top) / 2 + 2 = (37 - 15 - 3) / 2 + 2.
        {100, 40, 15, kCheckTextLeftAligned, {3, 11, 15, 15}, {21, 3, 76, 34}},
        // A 16-pixel icon look.
        {120, 30, 16, kCheckTextLeftAligned, {3, 6, 16, 16}, {22, 3, 95, 24}},
        // Boxes too small for the margins, as the dialogs' text-less ones: the whole indicator,
        // as large as the box allows, centred; never cut by the box's edges.
        {15, 14, 15, kCheckTextLeftAligned, {0, 0, 14, 14}, {14, 0, 0, 14}},  // order circles
        {14, 17, 16, kCheckTextLeftAligned, {0, 1, 14, 14}, {14, 1, 0, 14}},  // on/off icon
    };
    for (const auto& c : cases) {
        const CheckBoxLayout layout = LayOutCheckBox(c.width, c.height, c.size, c.style);
        EXPECT_EQ(layout.indicator, c.indicator) << c.width << "x" << c.height << " " << c.style;
        EXPECT_EQ(layout.text, c.text) << c.width << "x" << c.height << " " << c.style;
        EXPECT_EQ(layout.focus, (UiRect{2, 2, c.width - 4, c.height - 4}));
    }
}

TEST(CheckBoxLayout, DisabledIndicatorIsShadowWhateverTheState) {
    const ColorRef on = 0x00FF00, off = 0x000000, shadow = 0x808080;
    EXPECT_EQ(CheckIndicatorFill(true, true, on, off, shadow), on);
    EXPECT_EQ(CheckIndicatorFill(true, false, on, off, shadow), off);
    EXPECT_EQ(CheckIndicatorFill(false, true, on, off, shadow), shadow);
    EXPECT_EQ(CheckIndicatorFill(false, false, on, off, shadow), shadow);
}

}  // namespace
}  // namespace reef
