#pragma once
// The constants the geometry routines share.

namespace ckw::geom {

// pi and pi/2 rounded to single precision: the suite's drawings have always been computed with these.
inline constexpr float kPiF = 3.1415927410125732f;
inline constexpr float kHalfPiF = 1.5707963705062866f;
inline constexpr double kPi = kPiF;
inline constexpr double kHalfPi = kHalfPiF;

}  // namespace ckw::geom
