#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace reef {

// A whole file mapped read-only into memory, for reading a large file once without copying it
// into the heap; the mapping ends with the object. An empty or missing file maps as nothing.
class MappedFile {
public:
    explicit MappedFile(const std::string& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file could not be opened or mapped, or is empty.
    bool IsOpen() const { return m_data != nullptr; }
    const std::uint8_t* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }

private:
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};

}  // namespace reef
