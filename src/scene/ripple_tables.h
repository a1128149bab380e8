#pragma once

#include <array>

namespace reef {

// One entry of the offset table: the unit direction from a drop centre to a vertex and the
// distance the wave front travels before it reaches the vertex, in steps.
struct RippleOffset {
    double dirX;
    double dirY;
    int distance;
};

constexpr int kRippleOffsetCount = 4096;
constexpr int kRippleWaveCount = 3072;

// Looked up with |di| * 64 + |dj| (column and row offsets between a vertex and a drop centre).
// Entry k < 1024 holds the pair (A, B) = (k / 32, k % 32): direction (A, B) / sqrt(A^2 + B^2)
// rounded to six significant digits ((0, 0) for k = 0) and distance
// floor(800 / 31 * sqrt(A^2 + B^2)). Entries from 1024 on are all zero, so a drop never moves
// a vertex 16 or more columns away from its centre.
extern const std::array<RippleOffset, kRippleOffsetCount> kRippleOffsetTable;

// Wave amplitude, in texture-coordinate units, r steps after the wave front passed a vertex
// (r = 0 .. 3071). Never negative; 0 at r = 0 and from r = 2047 on.
extern const std::array<double, kRippleWaveCount> kRippleWaveTable;

}  // namespace reef
