#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace reef {

// A rectangle in whole pixels.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Brings a picture of the whole desktop, as a Wayland compositor takes it, to the X screen's
// primary monitor. The picture covers the whole output layout in physical pixels, while the X
// screen (Xwayland's) covers the same layout in its own pixels: under a scaled output it is
// smaller (a 1920 x 1080 output at scale 2 is a 960 x 540 X screen). The monitor's rectangle, in X
// screen pixels, is found in the picture in proportion, then brought to the monitor's size, each
// output pixel the average of the picture pixels it covers (or the nearest one where the picture
// has fewer pixels than the monitor).
class ScreenshotFit {
public:
    // Nothing when a size is not positive or the monitor does not lie inside the screen.
    static std::optional<ScreenshotFit> Make(int pictureWidth, int pictureHeight, int screenWidth,
                                             int screenHeight, PixelRect monitor);

    // The part of the picture that shows the monitor, in picture pixels; never empty.
    const PixelRect& Source() const { return m_source; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Fills `out` (4 x Width() bytes: blue, green, red, 0) with output row `y` (0 at the top) from
    // `rgb`, the picture's pixels as red, green, blue rows of 3 x pictureWidth bytes, top down.
    void Row(const std::uint8_t* rgb, int y, std::uint8_t* out) const;

private:
    struct Span {
        int begin = 0;  // first picture pixel
        int end = 0;    // one past the last
    };
    static std::vector<Span> Spans(int sourceBegin, int sourceLength, int outLength);

    PixelRect m_source;
    int m_pictureWidth = 0;
    int m_width = 0;
    int m_height = 0;
    std::vector<Span> m_columns;
    std::vector<Span> m_rows;
};

}  // namespace reef
