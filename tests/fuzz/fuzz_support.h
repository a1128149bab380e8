#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace reef::fuzz {

// Stops the run with a message when a property does not hold; libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)

// A folder of the fuzzing process's own under the temporary folder, removed at exit; ends in '/'.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "reef-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        static std::string removeAtExit = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removeAtExit, ignored);
        });
        return pattern + "/";
    }();
    return folder;
}

// Writes `bytes` to `name` in the scratch folder, replacing what was there; returns its path.
inline std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
    const std::string path = ScratchFolder() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::abort();
    }
    return path;
}

inline std::string ReadScratchFile(const std::string& path) {
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            text.append(buffer, got);
        }
        std::fclose(file);
    }
    return text;
}

// Splits fuzz input into fields at each `separator` byte; the last field takes the rest.
class Fields {
public:
    Fields(const std::uint8_t* data, std::size_t size, char separator = '\x1f')
        : m_rest(reinterpret_cast<const char*>(data), size), m_separator(separator) {}
    std::string_view Next() {
        std::size_t at = m_rest.find(m_separator);
        std::string_view field = m_rest.substr(0, at);
        m_rest = at == std::string_view::npos ? std::string_view() : m_rest.substr(at + 1);
        return field;
    }
    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
    char m_separator;
};

}  // namespace reef::fuzz
