#include "resources/embedded_resources.h"

#include "resources/extraction.h"
#include "resources/resource_source.h"

extern const reef::ResourceEntry kEmbeddedResourceEntries[];

namespace reef {

const ResourceSource& EmbeddedResources() {
    static const ResourceTable table(kEmbeddedResourceEntries);
    return table;
}

std::optional<std::string> ExtractResource(std::uint16_t id, const std::string& folder,
                                           const std::string& name) {
    return ExtractResource(EmbeddedResources(), id, folder, name);
}

}  // namespace reef
