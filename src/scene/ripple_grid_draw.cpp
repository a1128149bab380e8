// The OpenGL side of RippleGrid: the mesh as one polygon a cell, in immediate mode.
#include <GL/gl.h>

#include "scene/ripple_grid.h"

namespace reef {

void RippleGrid::Draw() const {
    auto vertex = [this](int i, int j) {
        glTexCoord2f(m_s[i][j], m_t[i][j]);
        glVertex3f(m_x[i][j], m_y[i][j], 0.0f);
    };
    for (int i = 0; i + 1 < m_columns; ++i) {
        for (int j = 0; j + 1 < m_rows; ++j) {
            glBegin(GL_POLYGON);
            vertex(i, j);
            vertex(i, j + 1);
            vertex(i + 1, j + 1);
            vertex(i + 1, j);
            glEnd();
        }
    }
}

}  // namespace reef
