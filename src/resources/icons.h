#pragma once

#include <wx/bitmap.h>

namespace reef {

// The embedded icon `id` (a PNG packed from assets/icons/) as a bitmap with its alpha channel;
// an invalid bitmap when there is no such icon.
wxBitmap LoadIconBitmap(int id);

}  // namespace reef
