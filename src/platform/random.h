#pragma once

#include <cstdint>

namespace reef {

// The program's one source of random numbers. It reproduces the classic linear congruential
// sequence exactly (state 1, state = state * 214013 + 2531011 mod 2^32, result bits 16..30), so
// a run is repeatable from start-up on: the order in which subsystems draw numbers matters.
// The C library's rand() gives another sequence on Linux and is never used.
class RandomGenerator {
public:
    static constexpr int kMax = 0x7FFF;

    explicit RandomGenerator(std::uint32_t state = 1) : m_state(state) {}

    // A value in 0..32767.
    int Next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

    std::uint32_t State() const { return m_state; }
    void SetState(std::uint32_t state) { m_state = state; }

private:
    std::uint32_t m_state;
};

// The process-wide generator, never seeded: every run starts from state 1.
RandomGenerator& ProcessRandom();

// One number from the process-wide generator, 0..32767.
inline int Rand() {
    return ProcessRandom().Next();
}

}  // namespace reef
