#include "resources/icons.h"

#include <wx/image.h>
#include <wx/mstream.h>

#include "resources/embedded_resources.h"
#include "resources/resource_source.h"

namespace reef {

wxBitmap LoadPngResource(std::string_view type, int id) {
    auto bytes = EmbeddedResources().Find(type, id);
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

wxBitmap LoadIconBitmap(int id) {
    return LoadPngResource("ICON", id);
}

}  // namespace reef
