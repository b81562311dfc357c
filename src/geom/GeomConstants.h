#pragma once
// Constants and the one float polar step that the geometry routines share.
#include <cmath>

namespace ckw::geom {

// pi and pi/2 rounded to single precision: the suite's drawings have always been computed with these.
inline constexpr float kPiF = 3.1415927410125732f;
inline constexpr float kHalfPiF = 1.5707963705062866f;
inline constexpr double kPi = kPiF;
inline constexpr double kHalfPi = kHalfPiF;

// The single-precision polar step every float outline is a chain of: the point dist away from
// (x, y) in the direction angle. Cosine and sine of the float angle in double, the product and the
// sum each rounded to double, the coordinate rounded once to float. Kept out of line: inlined into
// a chain, the optimiser pairs up the steps' x and y arithmetic and the last bits change. The
// geometry is also built without fused multiply-add. So a chain gives the same bits at every
// optimisation level.
[[gnu::noinline]] inline void PolarF(float x, float y, float angle, float dist, float& outX, float& outY) {
    const double a = angle, k = dist;
    const double dx = k * std::cos(a), dy = k * std::sin(a);
    outX = static_cast<float>(x + dx);
    outY = static_cast<float>(y + dy);
}

}  // namespace ckw::geom
