#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace reef {

// Embedded "RCAD" resources are stored scrambled: byte n of a file (counting from 1) is
// unscrambled as (byte + kScrambleKey[n % 50]) mod 256, so the first byte uses entry 1 and the
// 50th entry 0. The build scrambles with the inverse rule.
inline constexpr std::size_t kScrambleKeyLength = 50;
extern const std::uint8_t kScrambleKey[kScrambleKeyLength];

// `position` is the file offset of data[0], so a file can be handled in pieces.
void ScrambleBytes(std::uint8_t* data, std::size_t size, std::size_t position = 0);
void UnscrambleBytes(std::uint8_t* data, std::size_t size, std::size_t position = 0);

// Names of the two short-lived files of an extraction in folder D (ending in '/') for name N:
// D + N + ".ad" scrambled; D + N + ".wav" when N is exactly "Music", else D + N + ".bmp".
std::string ScrambledFilePath(const std::string& folder, const std::string& name);
std::string UnscrambledFilePath(const std::string& folder, const std::string& name);

}  // namespace reef
