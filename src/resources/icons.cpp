#include "resources/icons.h"

#include <wx/image.h>
#include <wx/mstream.h>

#include <map>
#include <string>
#include <utility>

#include "resources/embedded_resources.h"
#include "resources/resource_source.h"

namespace reef {

namespace {

wxBitmap DecodePngResource(std::string_view type, int id) {
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

}  // namespace

wxBitmap LoadPngResource(std::string_view type, int id) {
    // Each picture is decoded once: the menu draws its icons on every repaint. The cache lives
    // as long as the process (never destroyed, since bitmaps must not outlive the toolkit), and
    // wxBitmap copies share their data.
    static auto* cache = new std::map<std::pair<std::string, int>, wxBitmap>();
    auto key = std::make_pair(std::string(type), id);
    auto found = cache->find(key);
    if (found == cache->end()) {
        found = cache->emplace(std::move(key), DecodePngResource(type, id)).first;
    }
    return found->second;
}

wxBitmap LoadIconBitmap(int id) {
    return LoadPngResource("ICON", id);
}

}  // namespace reef
