#pragma once

#include "ui/ui_types.h"

namespace reef {

// Look of a ColorSlider.
enum SliderStyle : int {
    kSliderHorizontal = 0,
    kSliderVertical = 1,     // minimum at the top
    kSliderTicks = 2,        // tick marks below (horizontal) or right of (vertical) the channel
    kSliderTicksTopLeft = 4  // with kSliderTicks: tick marks above or left of the channel
};

inline constexpr ColorRef kSliderThumbColor = 0x0000FF;   // red
inline constexpr ColorRef kSliderAccentColor = 0x00FF00;  // green
inline constexpr ColorRef kSliderStartMarkColor = 0xFFFFFF;

// Side of the two round marks at the slider's ends, in pixels.
inline constexpr int kSliderMarkSize = 7;
// Thumb size along the axis and across it (the latter shrinks in thin controls), in pixels.
inline constexpr int kSliderThumbLength = 11;
inline constexpr int kSliderThumbThickness = 20;

// True where the 8 x 8 one-bit checkerboard of the pressed thumb (rows 0x55, 0xAA, ...) has a
// set bit; x and y are pixel coordinates, taken modulo 8.
bool SliderCheckerBit(int x, int y);

// True when the centre of pixel (x, y) lies inside the ellipse inscribed in `rect`.
bool InsideEllipse(const UiRect& rect, int x, int y);

// Pixel layout of a slider of the given client size and value range (min <= max).
class SliderGeometry {
public:
    SliderGeometry(int width, int height, int style, int minValue, int maxValue);

    UiRect Channel() const;
    UiRect Thumb(int value) const;
    // A one-pixel-wide tick line for `value`, on the tick side of the thumb.
    UiRect Tick(int value) const;
    // The white mark at the minimum end and the green mark at the maximum end.
    UiRect StartMark() const;
    UiRect EndMark() const;
    // The value whose thumb centre is nearest to the point, within the range.
    int ValueAt(int x, int y) const;

private:
    bool Vertical() const { return (m_style & kSliderVertical) != 0; }
    bool TicksBefore() const { return (m_style & kSliderTicks) && (m_style & kSliderTicksTopLeft); }
    int Length() const { return Vertical() ? m_height : m_width; }
    int Cross() const { return Vertical() ? m_width : m_height; }
    int AxisStart() const;
    int AxisSpan() const;
    int AxisPosition(int value) const;
    int CrossCentre() const;
    int ThumbThickness() const;
    UiRect Oriented(int along, int across, int alongSize, int acrossSize) const;

    int m_width;
    int m_height;
    int m_style;
    int m_min;
    int m_max;
};

}  // namespace reef
