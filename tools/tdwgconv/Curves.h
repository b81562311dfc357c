#pragma once
// Ellipses and splines as polylines. A curve is cut into chords until no chord is further from
// the curve than the tolerance: kChordTolerance of the curve's size (its extent), so a detail
// of a large drawing is as smooth as a small drawing.
#include <vector>

#include "Model.h"

namespace tdwg {

inline constexpr double kChordTolerance = 1e-3;
inline constexpr int kMaxCurveDepth = 12;  // at most 4096 chords per piece

struct Point2 {
    double x = 0, y = 0;
};

// Elliptical arc from parameter t0 to t1 (radians, t1 > t0), major axis (mx, my) from the centre.
std::vector<Vertex> EllipseVertices(double cx, double cy, double mx, double my, double ratio, double t0, double t1);

// NURBS curve of the given degree; weights empty = all 1. Empty result when the data do not
// make a curve (too few knots or points).
std::vector<Vertex> SplineVertices(int degree, const std::vector<double>& knots, const std::vector<Point2>& control,
                                   const std::vector<double>& weights);

// Bulge of an arc from `sweep` radians (positive anticlockwise).
double BulgeOfSweep(double sweep);

}  // namespace tdwg
