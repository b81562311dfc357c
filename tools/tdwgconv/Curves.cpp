#include "Curves.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace tdwg {
namespace {

using CurveFn = std::function<Point2(double)>;

double DistanceToChord(Point2 p, Point2 a, Point2 b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::hypot(dx, dy);
    if (len == 0) return std::hypot(p.x - a.x, p.y - a.y);
    return std::abs((p.x - a.x) * dy - (p.y - a.y) * dx) / len;
}

// Halves [t0, t1] until the curve's points at a quarter, the middle and three quarters lie
// within `tol` of the chord.
void Subdivide(const CurveFn& f, double t0, Point2 p0, double t1, Point2 p1, double tol, int depth,
               std::vector<Vertex>& out) {
    double tm = (t0 + t1) / 2;
    Point2 pm = f(tm);
    bool flat = depth >= kMaxCurveDepth;
    if (!flat) {
        Point2 q1 = f((t0 + tm) / 2), q3 = f((tm + t1) / 2);
        flat = DistanceToChord(pm, p0, p1) <= tol && DistanceToChord(q1, p0, p1) <= tol &&
               DistanceToChord(q3, p0, p1) <= tol && depth >= 2;
    }
    if (flat) {
        out.push_back({p1.x, p1.y});
        return;
    }
    Subdivide(f, t0, p0, tm, pm, tol, depth + 1, out);
    Subdivide(f, tm, pm, t1, p1, tol, depth + 1, out);
}

std::vector<Vertex> Tessellate(const CurveFn& f, double t0, double t1, double size) {
    std::vector<Vertex> out;
    Point2 p0 = f(t0);
    out.push_back({p0.x, p0.y});
    // Three samples per piece can miss the farthest point of the curve from its chord by a fifth
    // (a flat ellipse, parametrized unevenly): pieces are cut to three quarters of the promise.
    double tol = std::max(size, 1e-12) * kChordTolerance * 0.75;
    Subdivide(f, t0, p0, t1, f(t1), tol, 0, out);
    return out;
}

}  // namespace

std::vector<Vertex> EllipseVertices(double cx, double cy, double mx, double my, double ratio, double t0, double t1) {
    double a = std::hypot(mx, my);
    if (!(a > 0) || !std::isfinite(a) || !std::isfinite(ratio) || !std::isfinite(t0) || !std::isfinite(t1)) return {};
    // The sweep is brought into (0, 2 pi] in one step: adding turns one at a time never ends for a
    // start parameter so large that a turn is below its precision.
    double sweep = t1 - t0;
    if (!std::isfinite(sweep)) return {};
    if (sweep <= 0) sweep = std::fmod(sweep, 2 * M_PI) + 2 * M_PI;
    if (sweep > 2 * M_PI + 1e-12) sweep = 2 * M_PI;
    t0 = std::remainder(t0, 2 * M_PI);
    t1 = t0 + sweep;
    double ux = mx / a, uy = my / a, b = a * ratio;
    auto f = [&](double t) {
        double px = a * std::cos(t), py = b * std::sin(t);
        return Point2{cx + px * ux - py * uy, cy + px * uy + py * ux};
    };
    return Tessellate(f, t0, t1, a);
}

std::vector<Vertex> SplineVertices(int degree, const std::vector<double>& knots, const std::vector<Point2>& control,
                                   const std::vector<double>& weights) {
    const size_t n = control.size();
    if (degree < 1 || degree > 25 || n < static_cast<size_t>(degree) + 1 || knots.size() != n + degree + 1) return {};
    for (size_t i = 1; i < knots.size(); ++i)
        if (!(knots[i] >= knots[i - 1])) return {};
    const bool rational = weights.size() == n;
    const size_t p = static_cast<size_t>(degree);
    double lo = knots[p], hi = knots[n];
    if (!(hi > lo)) return {};
    double minX = control[0].x, maxX = minX, minY = control[0].y, maxY = minY;
    for (const Point2& c : control) {
        minX = std::min(minX, c.x), maxX = std::max(maxX, c.x);
        minY = std::min(minY, c.y), maxY = std::max(maxY, c.y);
    }
    // de Boor's algorithm in homogeneous coordinates.
    auto f = [&](double t) {
        size_t k = p;
        while (k + 1 < n && t >= knots[k + 1]) ++k;
        std::vector<double> x(p + 1), y(p + 1), w(p + 1);
        for (size_t j = 0; j <= p; ++j) {
            const Point2& c = control[k - p + j];
            double wt = rational ? weights[k - p + j] : 1.0;
            x[j] = c.x * wt, y[j] = c.y * wt, w[j] = wt;
        }
        for (size_t r = 1; r <= p; ++r) {
            for (size_t j = p; j >= r; --j) {
                size_t i = k - p + j;
                double denom = knots[i + p + 1 - r] - knots[i];
                double alpha = denom == 0 ? 0 : (t - knots[i]) / denom;
                x[j] = (1 - alpha) * x[j - 1] + alpha * x[j];
                y[j] = (1 - alpha) * y[j - 1] + alpha * y[j];
                w[j] = (1 - alpha) * w[j - 1] + alpha * w[j];
            }
        }
        return w[p] == 0 ? Point2{x[p], y[p]} : Point2{x[p] / w[p], y[p] / w[p]};
    };
    // Cut at every distinct knot so that each piece is smooth.
    std::vector<Vertex> out;
    double size = std::max(maxX - minX, maxY - minY);
    for (size_t i = p; i < n; ++i) {
        if (!(knots[i + 1] > knots[i])) continue;
        std::vector<Vertex> piece = Tessellate(f, knots[i], knots[i + 1], size);
        out.insert(out.end(), out.empty() ? piece.begin() : piece.begin() + 1, piece.end());
    }
    return out;
}

double BulgeOfSweep(double sweep) { return std::tan(sweep / 4); }

}  // namespace tdwg
