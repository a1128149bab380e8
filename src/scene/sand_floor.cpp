#include "scene/sand_floor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/message.h"

namespace reef {
namespace {

constexpr std::int64_t kMaxCells = 1000000;

}  // namespace

SandFloorGrid::SandFloorGrid() = default;

void SandFloorGrid::Build(int width, int depth, int scale) {
    m_width = width;
    m_depth = depth;
    m_scale = scale;
    // A depth of 0 or less fills no column; the factor is then never used.
    m_heightFactor = depth > 0 ? static_cast<float>(2 * scale) / static_cast<float>(depth) : 0.0f;

    if (static_cast<std::int64_t>(width) * depth > kMaxCells) {
        ShowMessage("MAP SIZE ERROR", kAppTitle);
    }

    const int rows = std::clamp(width, 0, kRows);
    const int columns = std::clamp(depth - 1, 0, kColumns);
    m_filledRows = rows;
    m_filledColumns = columns;
    m_vertices.assign(static_cast<std::size_t>(rows) * columns, SandVertex{});
    // The phase step is the float 0.1 (0.100000001); the cosine is taken in long double.
    const long double phaseStep = 0.1f;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            SandVertex& v = m_vertices[static_cast<std::size_t>(i) * columns + j];
            v.x = static_cast<float>(i - width / 2);
            long double height = std::cos(phaseStep * (i + j)) * (depth - j) * m_heightFactor;
            v.y = static_cast<float>(height);
            v.z = static_cast<float>(j - depth);
        }
    }
}

SandVertex SandFloorGrid::Vertex(int row, int col) const {
    // Everything of the store outside the filled part stays zero.
    if (row < 0 || row >= m_filledRows || col < 0 || col >= m_filledColumns) {
        return SandVertex{};
    }
    return m_vertices[static_cast<std::size_t>(row) * m_filledColumns + col];
}

}  // namespace reef
