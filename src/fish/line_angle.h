#pragma once

namespace reef {

// A point in one of the world's planes (x-y or x-z), world units.
struct PlanePoint {
    float u = 0.0f, v = 0.0f;
};

// The angle in degrees, 0 to 90, between the line through a1 and b1 and the line through a2 and
// b2, from their slopes dv / du. A line that is vertical within 0.0001 takes the slope
// dv x 10000 in place of a division, and two lines nearly at right angles (1 + m1 x m2 within
// 0.0001 of 0) take |m2 - m1| x 10000 the same way, so the result is always finite for finite
// points.
float LineAngle(PlanePoint a1, PlanePoint b1, PlanePoint a2, PlanePoint b2);

}  // namespace reef
