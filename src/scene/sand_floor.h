#pragma once

#include <vector>

namespace reef {

// A point of the sand floor, in world units.
struct SandVertex {
    float x = 0, y = 0, z = 0;
};

// The wavy sand floor under the tank: one vertex per world unit across the tank's width (rows)
// and depth (columns). Heights roll along a cosine of row + column and grow toward the back
// wall. Nothing draws it; the fish start positions are picked on it.
//
// It reads as a store of kRows x kColumns vertices, zero wherever Build() has not filled it; only
// the filled rows and columns are kept (108 x 49 vertices for the tank of a 1680 x 1050 screen,
// not the 12 MB of the whole store), and a build never fills anything outside the store.
class SandFloorGrid {
public:
    static constexpr int kRows = 1000;
    static constexpr int kColumns = 1000;

    SandFloorGrid();

    // Fills rows 0..width-1 and columns 0..depth-2: x = row - width / 2 (truncating),
    // y = cos(0.1 (row + col)) * (depth - col) * 2 * scale / depth, z = col - depth.
    // The last column, depth - 1, stays zero. Rows and columns past the store are left out;
    // width * depth above 1,000,000 is also reported as "MAP SIZE ERROR" before building.
    void Build(int width, int depth, int scale);

    // The vertex at (row, col); the zero vertex outside the store.
    SandVertex Vertex(int row, int col) const;

    int Width() const { return m_width; }
    int Depth() const { return m_depth; }

private:
    int m_width = 0;
    int m_depth = 0;
    int m_scale = 0;
    float m_heightFactor = 0;
    int m_filledRows = 0;
    int m_filledColumns = 0;
    std::vector<SandVertex> m_vertices;  // the filled part, row-major, m_filledColumns a row
};

}  // namespace reef
