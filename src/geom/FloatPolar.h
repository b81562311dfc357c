#pragma once
// The one polar step of the geometry routines: section outlines are built from chains of them,
// so every routine must round the same way.
#include <cmath>

namespace ckw::geom {

// The point dist away from (x, y) in the direction angle. Cosine and sine of the float angle in
// double, the product and the sum each rounded to double, the coordinate rounded once to float.
// Kept out of line: inlined into a chain, the optimiser pairs up the steps' x and y arithmetic and
// the last bits change. The geometry is also built without fused multiply-add. So a chain gives
// the same bits at every optimisation level.
[[gnu::noinline]] inline void PolarF(float x, float y, float angle, float dist, float& outX, float& outY) {
    const double a = angle, k = dist;
    const double dx = k * std::cos(a), dy = k * std::sin(a);
    outX = static_cast<float>(x + dx);
    outY = static_cast<float>(y + dy);
}

}  // namespace ckw::geom
