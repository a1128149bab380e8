#include "resources/resource_source.h"

namespace reef {

std::optional<ResourceBytes> ResourceTable::Find(std::string_view type, int id) const {
    for (const ResourceEntry* entry = m_entries; entry->type != nullptr; ++entry) {
        if (entry->id == id && type == entry->type) {
            return ResourceBytes{entry->data, entry->size};
        }
    }
    return std::nullopt;
}

}  // namespace reef
