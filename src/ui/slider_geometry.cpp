#include "ui/slider_geometry.h"

#include <algorithm>

namespace reef {

namespace {

// The channel starts clear of the end marks and of half a thumb: 1 + 7 + 1 + 5 pixels.
constexpr int kAxisMargin = 1 + kSliderMarkSize + 1 + kSliderThumbLength / 2;
constexpr int kChannelThickness = 4;
// Room left for the tick marks beside the thumb.
constexpr int kTickRoom = 6;
constexpr int kTickLength = 4;

}  // namespace

bool SliderCheckerBit(int x, int y) {
    const int row = (y & 7) % 2 == 0 ? 0x55 : 0xAA;
    return ((row >> (7 - (x & 7))) & 1) != 0;
}

bool InsideEllipse(const UiRect& rect, int x, int y) {
    if (rect.width <= 0 || rect.height <= 0) {
        return false;
    }
    const double dx = (x + 0.5 - rect.x - rect.width / 2.0) / (rect.width / 2.0);
    const double dy = (y + 0.5 - rect.y - rect.height / 2.0) / (rect.height / 2.0);
    return dx * dx + dy * dy <= 1.0;
}

SliderGeometry::SliderGeometry(int width, int height, int style, int minValue, int maxValue)
    : m_width(width),
      m_height(height),
      m_style(style),
      m_min(minValue),
      m_max(std::max(minValue, maxValue)) {}

int SliderGeometry::AxisStart() const {
    return kAxisMargin;
}

int SliderGeometry::AxisSpan() const {
    return std::max(0, Length() - 2 * kAxisMargin);
}

int SliderGeometry::AxisPosition(int value) const {
    const int range = m_max - m_min;
    if (range == 0) {
        return AxisStart();
    }
    const long long offset = static_cast<long long>(std::clamp(value, m_min, m_max) - m_min);
    return AxisStart() + static_cast<int>((offset * AxisSpan() + range / 2) / range);
}

int SliderGeometry::CrossCentre() const {
    int centre = Cross() / 2;
    if (m_style & kSliderTicks) {
        centre += TicksBefore() ? kTickRoom / 2 : -kTickRoom / 2;
    }
    return centre;
}

int SliderGeometry::ThumbThickness() const {
    const int room = Cross() - 4 - ((m_style & kSliderTicks) ? kTickRoom : 0);
    return std::clamp(room, 6, kSliderThumbThickness);
}

UiRect SliderGeometry::Oriented(int along, int across, int alongSize, int acrossSize) const {
    if (Vertical()) {
        return UiRect{across, along, acrossSize, alongSize};
    }
    return UiRect{along, across, alongSize, acrossSize};
}

UiRect SliderGeometry::Channel() const {
    return Oriented(AxisStart(), CrossCentre() - kChannelThickness / 2, AxisSpan(),
                    kChannelThickness);
}

UiRect SliderGeometry::Thumb(int value) const {
    const int thickness = ThumbThickness();
    return Oriented(AxisPosition(value) - kSliderThumbLength / 2, CrossCentre() - thickness / 2,
                    kSliderThumbLength, thickness);
}

UiRect SliderGeometry::Tick(int value) const {
    const int thickness = ThumbThickness();
    const int across = TicksBefore() ? CrossCentre() - thickness / 2 - 2 - kTickLength
                                     : CrossCentre() - thickness / 2 + thickness + 2;
    return Oriented(AxisPosition(value), across, 1, kTickLength);
}

UiRect SliderGeometry::StartMark() const {
    // The marks sit on the side away from the ticks: top for a horizontal slider, left for a
    // vertical one, the other side when the ticks are there.
    const int far = Cross() - 1 - kSliderMarkSize;
    const int across = TicksBefore() ? far : 1;
    return Oriented(1, across, kSliderMarkSize, kSliderMarkSize);
}

UiRect SliderGeometry::EndMark() const {
    UiRect mark = StartMark();
    const int far = Length() - 1 - kSliderMarkSize;
    (Vertical() ? mark.y : mark.x) = far;
    return mark;
}

int SliderGeometry::ValueAt(int x, int y) const {
    const int range = m_max - m_min;
    const int span = AxisSpan();
    if (range == 0 || span == 0) {
        return m_min;
    }
    const int along = std::clamp((Vertical() ? y : x) - AxisStart(), 0, span);
    return m_min + static_cast<int>((static_cast<long long>(along) * range + span / 2) / span);
}

}  // namespace reef
