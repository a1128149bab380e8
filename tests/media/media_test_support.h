#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace reef::test {

constexpr int kRate = 22050;

// A mono 16-bit PCM wave file.
inline void WriteWave(const std::string& path, const std::vector<std::int16_t>& samples) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const std::uint32_t bytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(bytes);
    out.write(reinterpret_cast<const char*>(samples.data()), bytes);
}

// `count` (at most 30000) samples in which every position has its own value, so a sample that is
// dropped, repeated or out of place anywhere in a capture shows.
inline std::vector<std::int16_t> Pattern(int count) {
    std::vector<std::int16_t> samples(count);
    for (int i = 0; i < count; ++i) {
        samples[i] = static_cast<std::int16_t>((i * 7) % 30000 - 15000);
    }
    return samples;
}

// A sink that writes what it is given to `path` as raw mono 16-bit samples, in real time.
inline std::string CaptureSink(const std::string& path) {
    return "audioconvert ! audioresample ! audio/x-raw,format=S16LE,channels=1,rate=" +
           std::to_string(kRate) + " ! filesink buffer-mode=unbuffered location=\"" + path + "\"";
}

inline std::vector<std::int16_t> ReadSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::copy_n(bytes.data(), samples.size() * 2, reinterpret_cast<char*>(samples.data()));
    return samples;
}

inline std::uintmax_t SizeOf(const std::string& path) {
    std::error_code ignored;
    std::uintmax_t size = std::filesystem::file_size(path, ignored);
    return size == static_cast<std::uintmax_t>(-1) ? 0 : size;
}

// Polls `done` every 20 ms until it holds or `timeoutMs` has passed; whether it held.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

inline void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// How many of this process's open files are `path` (deleted files included).
inline int OpenDescriptorsOf(const std::string& path) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (!error && (target == path || target == path + " (deleted)")) {
            ++count;
        }
    }
    return count;
}

}  // namespace reef::test
