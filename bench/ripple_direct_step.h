#pragma once

#include <cstdlib>

#include "scene/ripple_grid.h"
#include "scene/ripple_tables.h"

namespace reef {

// The ripple wave sum written the plain way: every vertex, every slot, one offset look-up and
// the whole product, with the vertices stored as records of six floats. It is the yardstick for
// RippleGrid::Step(), which must give the same texture coordinates to the last bit, faster.
class DirectRipple {
public:
    struct Vertex {
        float x, y, s, t, s0, t0;
    };

    // Takes the shape, slots and rest coordinates of `grid`.
    explicit DirectRipple(const RippleGrid& grid)
        : m_nx(grid.Columns()), m_ny(grid.Rows()), m_n(grid.SlotCount()), m_life(grid.WaveLife()) {
        for (int i = 0; i < m_nx; ++i) {
            for (int j = 0; j < m_ny; ++j) {
                m_vertices[i][j] = {grid.X(i, j), grid.Y(i, j),     grid.S(i, j),
                                    grid.T(i, j), grid.RestS(i, j), grid.RestT(i, j)};
            }
        }
        TakeSlots(grid);
    }

    // Takes the slots of `grid` again, after drops were added to it.
    void TakeSlots(const RippleGrid& grid) {
        for (int k = 0; k < m_n; ++k) {
            m_slots[k] = grid.Slot(k);
        }
    }

    void Step() {
        for (int k = 0; k < m_n; ++k) {
            m_slots[k].age += 1;
        }
        for (int i = 0; i < m_nx; ++i) {
            for (int j = 0; j < m_ny; ++j) {
                Vertex& v = m_vertices[i][j];
                v.s = v.s0;
                v.t = v.t0;
                for (int k = 0; k < m_n; ++k) {
                    const RippleDrop& drop = m_slots[k];
                    int di = i - drop.cx;
                    int dj = j - drop.cy;
                    int sx = di < 0 ? -1 : 1;
                    int sy = dj < 0 ? -1 : 1;
                    const RippleOffset& e = kRippleOffsetTable[std::abs(di) * 64 + std::abs(dj)];
                    int r = drop.age - e.distance;
                    if (r < 0) {
                        r = 0;
                    }
                    if (r > m_life - 1) {
                        r = static_cast<int>(m_life - 1);
                    }
                    double q = 1.0 - static_cast<double>(drop.age) / m_life;
                    double f = q * q;
                    v.s += sx * f * e.dirX * kRippleWaveTable[r];
                    v.t += sy * f * e.dirY * kRippleWaveTable[r];
                }
            }
        }
    }

    const Vertex& At(int i, int j) const { return m_vertices[i][j]; }
    const RippleDrop& Slot(int k) const { return m_slots[k]; }

private:
    int m_nx, m_ny, m_n;
    float m_life;
    RippleDrop m_slots[RippleGrid::kSlotCapacity] = {};
    Vertex m_vertices[RippleGrid::kMaxSide][RippleGrid::kMaxSide] = {};
};

}  // namespace reef
