#pragma once

#include <wx/bitmap.h>

#include <string_view>

namespace reef {

// The embedded PNG resource (type, id) as a bitmap, with its alpha channel when it has one; an
// invalid bitmap when there is no such resource or it does not decode.
wxBitmap LoadPngResource(std::string_view type, int id);

// The embedded icon `id` (a PNG packed from assets/icons/).
wxBitmap LoadIconBitmap(int id);

}  // namespace reef
