#include "platform/screen.h"

#include <wx/display.h>

#include <cmath>

namespace reef {

wxRect PrimaryScreenRect() {
    return wxDisplay().GetGeometry();
}

wxRect PrimaryScreenDeviceRect() {
    wxDisplay display;
    wxRect rect = display.GetGeometry();
    double scale = display.GetScaleFactor();
    auto scaled = [scale](int v) { return static_cast<int>(std::lround(v * scale)); };
    return wxRect(scaled(rect.x), scaled(rect.y), scaled(rect.width), scaled(rect.height));
}

}  // namespace reef
