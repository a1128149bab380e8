#include "view/screen_tables.h"

#include <cmath>
#include <cstddef>

namespace reef {
namespace {

struct TankRow {
    int width, height;
    TankBox box;
};

// The x values already include a widening of 20 on each side.
constexpr TankRow kTankRows[] = {
    {800, 600, {-49, 49, 21, -21, -50, 0}},   {1024, 768, {-49, 49, 21, -21, -50, 0}},
    {1280, 960, {-49, 49, 21, -21, -50, 0}},  {1280, 1024, {-49, 49, 21, -21, -50, 0}},
    {1440, 900, {-55, 55, 21, -21, -50, 0}},  {1600, 900, {-58, 58, 21, -21, -50, 0}},
    {1680, 1050, {-54, 54, 21, -21, -50, 0}},
};

struct ClassRow {
    int width, height, aspectClass;
};

constexpr ClassRow kClassRows[] = {
    {1024, 768, 0}, {1280, 1024, 1}, {1680, 1050, 2}, {1440, 900, 3},
    {1280, 800, 4}, {1600, 900, 5},  {1366, 768, 6},
};

const ClassRow* FindClassRow(int width, int height) {
    for (const ClassRow& row : kClassRows) {
        if (row.width == width && row.height == height) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

TankBox TankBoxForScreen(int width, int height) {
    for (const TankRow& row : kTankRows) {
        if (row.width == width && row.height == height) {
            return row.box;
        }
    }
    double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    const TankRow* nearest = &kTankRows[0];
    for (const TankRow& row : kTankRows) {
        double distance = std::fabs(static_cast<double>(row.width) / row.height - aspect);
        double best = std::fabs(static_cast<double>(nearest->width) / nearest->height - aspect);
        if (distance < best) {
            nearest = &row;
        }
    }
    return nearest->box;
}

int AspectClassForScreen(int width, int height) {
    const ClassRow* row = FindClassRow(width, height);
    return row ? row->aspectClass : 1;
}

bool IsAspectClassListed(int width, int height) {
    return FindClassRow(width, height) != nullptr;
}

Frustum FrustumForScreen(int width, int height) {
    Frustum f{-0.4, 0.4, -0.4, 0.4, 1.0, 1000.0};
    if (width > height) {
        double half = 0.4 * width / height;
        f.left = -half;
        f.right = half;
    } else if (width > 0) {
        double half = 0.4 * height / width;
        f.bottom = -half;
        f.top = half;
    }
    return f;
}

}  // namespace reef
