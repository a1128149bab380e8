#include "fish/line_angle.h"

#include <cmath>

namespace reef {
namespace {

constexpr float kNearZero = 0.0001f;
constexpr float kNearZeroScale = 10000.0f;
constexpr float kRadToDeg = 57.29578f;

// numerator / divisor, or numerator x 10000 when the divisor is too small to divide by.
float SafeRatio(float numerator, float divisor) {
    if (std::fabs(divisor) <= kNearZero) {
        return numerator * kNearZeroScale;
    }
    return numerator / divisor;
}

}  // namespace

float LineAngle(PlanePoint a1, PlanePoint b1, PlanePoint a2, PlanePoint b2) {
    const float m1 = SafeRatio(a1.v - b1.v, a1.u - b1.u);
    const float m2 = SafeRatio(a2.v - b2.v, a2.u - b2.u);
    return std::atan(std::fabs(SafeRatio(m2 - m1, 1.0f + m1 * m2))) * kRadToDeg;
}

}  // namespace reef
