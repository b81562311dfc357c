#pragma once
// The one polar step of the geometry routines: section outlines are built from chains of them,
// so every routine must round the same way.
#include <cmath>

namespace ckw::geom {

// The point dist away from (x, y) in the direction angle: computed in double, stored as float.
inline void PolarF(float x, float y, float angle, float dist, float& outX, float& outY) {
    outX = static_cast<float>(x + dist * std::cos(static_cast<double>(angle)));
    outY = static_cast<float>(y + dist * std::sin(static_cast<double>(angle)));
}

}  // namespace ckw::geom
