#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace reef {

// One embedded file: its bytes as stored in the program ("RCAD" entries scrambled).
struct ResourceBytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// Where embedded resources are looked up by (type, id). The program uses the table that the
// build packs from assets/; tests can give their own.
class ResourceSource {
public:
    virtual ~ResourceSource() = default;
    virtual std::optional<ResourceBytes> Find(std::string_view type, int id) const = 0;
};

// A table of resources as the build generates it, ended by an entry whose type is null.
struct ResourceEntry {
    const char* type;
    int id;
    const std::uint8_t* data;
    std::size_t size;
};

class ResourceTable : public ResourceSource {
public:
    explicit ResourceTable(const ResourceEntry* entries) : m_entries(entries) {}
    std::optional<ResourceBytes> Find(std::string_view type, int id) const override;

private:
    const ResourceEntry* m_entries;
};

}  // namespace reef
