#include "resources/scramble.h"

namespace reef {

const std::uint8_t kScrambleKey[kScrambleKeyLength] = {
    0x5B, 0xC1, 0x27, 0x8E, 0xF4, 0x3A, 0x99, 0x06, 0x6D, 0xD2, 0x41, 0xB8, 0x1F,
    0x73, 0xE6, 0x2C, 0x95, 0x58, 0xCA, 0x0B, 0x7E, 0xE1, 0x34, 0xA7, 0x12, 0x69,
    0xFD, 0x48, 0xBE, 0x03, 0x87, 0xDA, 0x5F, 0x21, 0xAC, 0x70, 0xC5, 0x3E, 0x91,
    0x0E, 0x64, 0xEF, 0x2A, 0xB3, 0x7C, 0x19, 0xD6, 0x4D, 0xA0, 0x37,
};

void ScrambleBytes(std::uint8_t* data, std::size_t size, std::size_t position) {
    for (std::size_t i = 0; i < size; ++i) {
        data[i] -= kScrambleKey[(position + i + 1) % kScrambleKeyLength];
    }
}

void UnscrambleBytes(std::uint8_t* data, std::size_t size, std::size_t position) {
    for (std::size_t i = 0; i < size; ++i) {
        data[i] += kScrambleKey[(position + i + 1) % kScrambleKeyLength];
    }
}

std::string ScrambledFilePath(const std::string& folder, const std::string& name) {
    return folder + name + ".ad";
}

std::string UnscrambledFilePath(const std::string& folder, const std::string& name) {
    return folder + name + (name == "Music" ? ".wav" : ".bmp");
}

}  // namespace reef
