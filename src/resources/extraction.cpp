#include "resources/extraction.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/folders.h"
#include "platform/message.h"
#include "resources/resource_source.h"
#include "resources/scramble.h"

namespace reef {

std::string GetSystemFolder() {
    if (auto folder = ConfigFolder()) {
        return *folder;
    }
    ShowMessage("Error Find TempPath.", "ERROR");
    return std::string();
}

bool ExtractResource(const ResourceSource& source, std::uint16_t id, const std::string& folder,
                     const std::string& name) {
    auto bytes = source.Find("RCAD", id);
    if (!bytes) {
        return false;
    }
    // The file is truncated before it is written: a longer file left from an interrupted run
    // would otherwise keep its tail and corrupt the unscrambled copy.
    if (std::FILE* out = std::fopen(ScrambledFilePath(folder, name).c_str(), "wb")) {
        if (bytes->size > 0) {
            std::fwrite(bytes->data, 1, bytes->size, out);
        }
        std::fclose(out);
    }
    UnscrambleFile(folder, name);
    return true;
}

UnscrambleResult UnscrambleToFile(const std::string& folder, const std::string& name) {
    std::FILE* in = std::fopen(ScrambledFilePath(folder, name).c_str(), "rb");
    if (in == nullptr) {
        return UnscrambleResult::kCannotOpenInput;
    }
    std::FILE* out = std::fopen(UnscrambledFilePath(folder, name).c_str(), "wb");
    if (out == nullptr) {
        std::fclose(in);
        return UnscrambleResult::kCannotOpenOutput;
    }
    std::vector<std::uint8_t> buffer(1 << 16);
    std::size_t position = 0;
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) {
        UnscrambleBytes(buffer.data(), got, position);
        std::fwrite(buffer.data(), 1, got, out);
        position += got;
    }
    std::fclose(in);
    std::fclose(out);
    return UnscrambleResult::kWritten;
}

void UnscrambleFile(const std::string& folder, const std::string& name) {
    switch (UnscrambleToFile(folder, name)) {
        case UnscrambleResult::kWritten:
            return;
        case UnscrambleResult::kCannotOpenInput:
            std::fputs("cannot open infile\n", stdout);
            break;
        case UnscrambleResult::kCannotOpenOutput:
            std::fputs(" cannot open outfile\n", stdout);
            break;
    }
    std::fflush(stdout);
    std::exit(0);
}

void DeleteFile(const std::string& path) {
    unlink(path.c_str());
}

}  // namespace reef
