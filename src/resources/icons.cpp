#include "resources/icons.h"

#include <wx/image.h>
#include <wx/mstream.h>

#include "resources/embedded_resources.h"
#include "resources/resource_source.h"

namespace reef {

wxBitmap LoadIconBitmap(int id) {
    auto bytes = EmbeddedResources().Find("ICON", id);
    if (!bytes) {
        return wxBitmap();
    }
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) {
        wxImage::AddHandler(new wxPNGHandler());
    }
    wxMemoryInputStream stream(bytes->data, bytes->size);
    wxImage image(stream, wxBITMAP_TYPE_PNG);
    return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

}  // namespace reef
