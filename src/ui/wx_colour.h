#pragma once

#include <wx/colour.h>

#include "ui/ui_types.h"

namespace reef {

inline wxColour ToWxColour(ColorRef color) {
    return wxColour(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

inline ColorRef ToColorRef(const wxColour& colour) {
    return MakeColorRef(colour.Red(), colour.Green(), colour.Blue());
}

}  // namespace reef
