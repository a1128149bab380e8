#include "scene/ripple_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/random.h"
#include "scene/ripple_tables.h"

namespace reef {
namespace {

// Offsets of 16 columns or more land on the zero entries of the offset table.
constexpr int kColumnReach = 15;
// The amplitude table is zero at row 0 and from row 2047 on.
constexpr int kRippleWaveLastLive = 2046;
constexpr int kOffsetRowStride = 64;

// What one slot adds to a vertex at offset entry `index`, before the signs of the column and row
// offsets are applied: (factor * dirX) * amp and (factor * dirY) * amp. A sign of -1 only flips
// the sign of a correctly rounded product, so sign * factor * dir * amp, evaluated left to right,
// is exactly +-(these values), signed zeros included.
struct SlotTerms {
    double x;
    double y;
    // The amplitude row may hold a value other than zero (rows 1..2046); when this is false
    // both terms are zero.
    bool live;
};

SlotTerms TermsAt(int age, int lastRow, double factor, int index) {
    const RippleOffset& entry = kRippleOffsetTable[index];
    int r = age - entry.distance;
    if (r < 0) {
        r = 0;
    }
    if (r > lastRow) {
        r = lastRow;
    }
    double amp = kRippleWaveTable[r];
    return {factor * entry.dirX * amp, factor * entry.dirY * amp,
            static_cast<unsigned>(r - 1) < static_cast<unsigned>(kRippleWaveLastLive)};
}

// One float coordinate plus one double term, rounded back to float: the accumulation step of
// every texture coordinate.
inline float Accumulate(float value, double term) {
    return static_cast<float>(static_cast<double>(value) + term);
}

constexpr std::uint32_t kNegativeZeroBits = 0x80000000u;

std::uint32_t BitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Whether any of `count` floats is -0.0; a flat loop the compiler vectorises.
bool AnyNegativeZero(const float* values, int count) {
    std::uint32_t found = 0;
    for (int k = 0; k < count; ++k) {
        found |= static_cast<std::uint32_t>(BitsOf(values[k]) == kNegativeZeroBits);
    }
    return found != 0;
}

}  // namespace

RippleGrid::RippleGrid() : m_slots{}, m_x{}, m_y{}, m_s{}, m_t{}, m_s0{}, m_t0{} {
    Resize(1, 1);
}

void RippleGrid::Init() {
    static constexpr int kSides[3] = {16, 32, 64};
    m_columns = kSides[Rand() % 3];
    m_rows = kSides[Rand() % 3];
    m_waveLife = 512.0f * static_cast<float>(1 + Rand() % 6);
    m_slotCount = 2 + Rand() % 7;
    m_stepIncrement = 1;
}

void RippleGrid::SetShape(int columns, int rows, float waveLife, int slotCount) {
    m_columns = std::clamp(columns, 2, kMaxSide);
    m_rows = std::clamp(rows, 2, kMaxSide);
    m_waveLife = std::clamp(waveLife, 1.0f, static_cast<float>(kMaxWaveLife));
    m_slotCount = std::clamp(slotCount, 1, kSlotCapacity);
}

void RippleGrid::Resize(int width, int height) {
    // A zero-sized view would make every drop position a division by zero.
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
    double w = m_width;
    double h = m_height;
    m_diagonal = static_cast<int>(std::sqrt(w * w + h * h));

    // Every slot starts finished, so the next drop takes slot 0.
    for (int k = 0; k < m_slotCount; ++k) {
        m_slots[k] = {0, 0, static_cast<int>(static_cast<float>(m_diagonal) + m_waveLife), 0};
    }

    const float lastColumn = static_cast<float>(m_columns - 1);
    const float lastRow = static_cast<float>(m_rows - 1);
    for (int i = 0; i < m_columns; ++i) {
        for (int j = 0; j < m_rows; ++j) {
            m_x[i][j] = static_cast<float>(2 * i) / lastColumn - 1.0f;
            m_y[i][j] = static_cast<float>(2 * j) / lastRow - 1.0f;
            m_s0[i][j] = m_s[i][j] = static_cast<float>(i) / lastColumn;
            m_t0[i][j] = m_t[i][j] = static_cast<float>(j) / lastRow;
        }
    }
}

void RippleGrid::AddDrop(int x, int y) {
    RippleDrop* slot = nullptr;
    for (int k = 0; k < m_slotCount; ++k) {
        if (m_slots[k].age >= m_slots[k].endAge) {
            slot = &m_slots[k];
            break;
        }
    }
    if (!slot) {
        return;
    }
    // A centre outside the grid would index past the offset table.
    x = std::clamp(x, 0, m_width - 1);
    y = std::clamp(y, 0, m_height - 1);
    // floor(x / width * columns), exactly, in integers.
    slot->cx = static_cast<int>(static_cast<long long>(x) * m_columns / m_width);
    slot->cy = static_cast<int>(static_cast<long long>(y) * m_rows / m_height);
    slot->age = 4 * m_stepIncrement;

    // The wave lives until its front has crossed the farthest corner, plus a sixth of its life.
    double dx = std::max(slot->cx, m_columns - slot->cx);
    double dy = std::max(slot->cy, m_rows - slot->cy);
    double reach = std::sqrt(dx * dx + dy * dy);
    slot->endAge = static_cast<int>(
        std::floor(reach / m_columns * m_width + static_cast<double>(m_waveLife) / 6.0));
}

RippleGrid::SlotStep RippleGrid::StepOf(const RippleDrop& drop) const {
    double q = 1.0 - static_cast<double>(drop.age) / static_cast<double>(m_waveLife);
    return {drop.age, static_cast<int>(m_waveLife - 1.0f), q * q};
}

// Every texture coordinate is its rest value plus, slot by slot in slot order, the slot's term,
// rounded to float after each addition. The sum is taken slot by slot over whole columns, which
// keeps each vertex's additions in slot order, and each column's terms are computed once for
// the columns on both sides of the centre. Terms that are zero are left out: adding -0.0 changes
// nothing, and adding +0.0 only turns a -0.0 coordinate into +0.0, which RedoSignedZeros()
// catches afterwards.
void RippleGrid::Step() {
    SlotStep steps[kSlotCapacity];
    for (int k = 0; k < m_slotCount; ++k) {
        m_slots[k].age += m_stepIncrement;
        steps[k] = StepOf(m_slots[k]);
    }
    // Whole columns at once; the rows past m_rows are copied along and never read.
    const std::size_t usedColumns = sizeof(m_s[0]) * static_cast<std::size_t>(m_columns);
    std::memcpy(m_s, m_s0, usedColumns);
    std::memcpy(m_t, m_t0, usedColumns);
    for (int k = 0; k < m_slotCount; ++k) {
        ApplySlot(m_slots[k], steps[k]);
    }
    RedoSignedZeros(steps);
}

void RippleGrid::ApplySlot(const RippleDrop& drop, const SlotStep& step) {
    const int cx = drop.cx;
    const int cy = drop.cy;
    const int reach = std::min(kColumnReach, std::max(cx, m_columns - 1 - cx));
    const int rowReach = std::max(cy, m_rows - 1 - cy);

    // Terms by row offset |dj| for one column offset, then by row with the row's sign applied.
    double byOffsetX[kMaxSide];
    double byOffsetY[kMaxSide];
    double termX[kMaxSide];
    double termY[kMaxSide];
    for (int columnOffset = 0; columnOffset <= reach; ++columnOffset) {
        bool anyLive = false;
        for (int rowOffset = 0; rowOffset <= rowReach; ++rowOffset) {
            SlotTerms terms = TermsAt(step.age, step.lastRow, step.factor,
                                      columnOffset * kOffsetRowStride + rowOffset);
            byOffsetX[rowOffset] = terms.x;
            byOffsetY[rowOffset] = terms.y;
            anyLive |= terms.live;
        }
        if (!anyLive) {
            continue;
        }
        for (int j = 0; j < m_rows; ++j) {
            termX[j] = byOffsetX[j < cy ? cy - j : j - cy];
            termY[j] = j < cy ? -byOffsetY[cy - j] : byOffsetY[j - cy];
        }
        // Right of the centre (and the centre column) the column sign is +1; left of it -1,
        // and x - y is x + (-y) to the last bit.
        const int right = cx + columnOffset;
        if (right < m_columns) {
            for (int j = 0; j < m_rows; ++j) {
                m_s[right][j] = Accumulate(m_s[right][j], termX[j]);
                m_t[right][j] = Accumulate(m_t[right][j], termY[j]);
            }
        }
        const int left = cx - columnOffset;
        if (columnOffset > 0 && left >= 0) {
            for (int j = 0; j < m_rows; ++j) {
                m_s[left][j] = Accumulate(m_s[left][j], -termX[j]);
                m_t[left][j] = Accumulate(m_t[left][j], termY[j]);
            }
        }
    }
}

// A left-out +0.0 term can only make a difference where a coordinate ends as -0.0: there the
// full sum of every slot decides the sign of the zero. It takes a sum that cancels to below the
// smallest float, so this practically never runs.
void RippleGrid::RedoSignedZeros(const SlotStep* steps) {
    const int count = m_columns * kMaxSide;
    if (!AnyNegativeZero(&m_s[0][0], count) && !AnyNegativeZero(&m_t[0][0], count)) {
        return;
    }
    for (int i = 0; i < m_columns; ++i) {
        for (int j = 0; j < m_rows; ++j) {
            if (BitsOf(m_s[i][j]) == kNegativeZeroBits || BitsOf(m_t[i][j]) == kNegativeZeroBits) {
                SumVertexDirectly(i, j, steps);
            }
        }
    }
}

void RippleGrid::SumVertexDirectly(int i, int j, const SlotStep* steps) {
    float s = m_s0[i][j];
    float t = m_t0[i][j];
    for (int k = 0; k < m_slotCount; ++k) {
        int di = i - m_slots[k].cx;
        int dj = j - m_slots[k].cy;
        SlotTerms terms = TermsAt(steps[k].age, steps[k].lastRow, steps[k].factor,
                                  std::abs(di) * kOffsetRowStride + std::abs(dj));
        s = Accumulate(s, di < 0 ? -terms.x : terms.x);
        t = Accumulate(t, dj < 0 ? -terms.y : terms.y);
    }
    m_s[i][j] = s;
    m_t[i][j] = t;
}

void RippleGrid::SetRestTexCoordForTest(int i, int j, float s0, float t0) {
    m_s0[i][j] = s0;
    m_t0[i][j] = t0;
}

}  // namespace reef
