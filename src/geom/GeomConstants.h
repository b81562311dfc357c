#pragma once
// Constants and the one float polar step that the geometry routines share.
#include <cmath>

namespace ckw::geom {

// pi and pi/2 rounded to single precision: the suite's drawings have always been computed with these.
inline constexpr float kPiF = 3.1415927410125732f;
inline constexpr float kHalfPiF = 1.5707963705062866f;
inline constexpr double kPi = kPiF;
inline constexpr double kHalfPi = kHalfPiF;

// The point dist away from (x, y) in the direction angle: computed in double, stored as float.
inline void PolarF(float x, float y, float angle, float dist, float& outX, float& outY) {
    outX = static_cast<float>(x + dist * std::cos(static_cast<double>(angle)));
    outY = static_cast<float>(y + dist * std::sin(static_cast<double>(angle)));
}

}  // namespace ckw::geom
