#include "ui/dialog_units.h"

#include <wx/font.h>
#include <wx/window.h>

namespace reef {
namespace {

// The template font's average character, in pixels.
constexpr int kBaseWidth = 6;
constexpr int kBaseHeight = 13;

// units x base / divisor for units of 0 and more, rounded to the nearest pixel (halves up).
int Scale(int units, int base, int divisor) {
    return (units * base + divisor / 2) / divisor;
}

int ToPixelsX(int units) {
    return Scale(units, kBaseWidth, 4);
}

int ToPixelsY(int units) {
    return Scale(units, kBaseHeight, 8);
}

}  // namespace

wxRect DialogUnitsToPixels(const DialogRect& rect) {
    const int left = ToPixelsX(rect.x);
    const int top = ToPixelsY(rect.y);
    return wxRect(left, top, ToPixelsX(rect.x + rect.width) - left,
                  ToPixelsY(rect.y + rect.height) - top);
}

void SetUpFromTemplate(wxWindow& dialog, int width, int height) {
    // The desktop's sans-serif faces are wider than the font the templates were drawn for: at
    // 8 points their average character is 7 pixels, and a label would overrun its box.
    constexpr double kLargest = 8.0;
    constexpr double kSmallest = 6.0;
    wxFont font = dialog.GetFont();
    for (double points = kLargest; points >= kSmallest; points -= 0.5) {
        font.SetFractionalPointSize(points);
        dialog.SetFont(font);
        if (dialog.GetCharWidth() <= kBaseWidth && dialog.GetCharHeight() <= kBaseHeight) {
            break;
        }
    }
    dialog.SetClientSize(DialogUnitsToPixels({0, 0, width, height}).GetSize());
}

}  // namespace reef
