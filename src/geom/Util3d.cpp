// CUtil's 3-D helpers: extending lines, direction angles, the angle at a polyline vertex, and the
// rotation frame of a member along a line.
#include <algorithm>
#include <cmath>

#include <ckw/Util.h>
#include "geom/GeomConstants.h"

namespace {

using ckw::geom::kHalfPi;
using ckw::geom::kPi;

constexpr double kCoordTol = 0.0001;

bool Same(double a, double b) { return std::fabs(a - b) <= kCoordTol; }

// acos that tolerates a cosine a rounding step outside [-1, 1] (collinear or perpendicular lines).
double SafeAcos(double c) { return std::acos(std::clamp(c, -1.0, 1.0)); }

// An angle between two lines folded into [0, pi/2].
double FoldToQuarter(double angle) {
    if (angle > kPi) angle -= kPi;
    return angle > kHalfPi ? kPi - angle : angle;
}

// Angle between the directions a and b as lines (either sense), by their dot product; serves the
// cases where the slope form divides by a zero x difference.
double LineAngle(double ax, double ay, double az, double bx, double by, double bz) {
    double lengths = std::sqrt((ax * ax + ay * ay + az * az) * (bx * bx + by * by + bz * bz));
    return FoldToQuarter(SafeAcos((ax * bx + ay * by + az * bz) / lengths));
}

}  // namespace

void CUtil::Get3dLineExtendPoint(KeloPoint3d p1, KeloPoint3d p2, float len, KeloPoint3d& e1, KeloPoint3d& e2) {
    double t = len / p1.distanceTo(p2);
    e1 = KeloPoint3d(p1.x + t * (p2.x - p1.x), p1.y + t * (p2.y - p1.y), p1.z + t * (p2.z - p1.z));
    e2 = KeloPoint3d(p2.x + t * (p1.x - p2.x), p2.y + t * (p1.y - p2.y), p2.z + t * (p1.z - p2.z));
}

void CUtil::Get3dLineAngle(KeloPoint3d p1, KeloPoint3d p2, float angles[3]) {
    double dx = p1.x - p2.x;
    double dy = p1.y - p2.y;
    double dz = p1.z - p2.z;
    if (std::fabs(dx) <= kCoordTol && std::fabs(dy) <= kCoordTol) {
        angles[0] = static_cast<float>(kHalfPi);
        angles[1] = static_cast<float>(kHalfPi);
        angles[2] = 0.0f;
        return;
    }
    if (dx != 0.0) {
        // The slope form orients the line so that its x component is positive.
        double m = dy / dx;
        double n = dz / dx;
        double s = std::sqrt(1.0 + m * m + n * n);
        if (std::isfinite(s)) {
            angles[0] = static_cast<float>(std::acos(1.0 / s));
            angles[1] = static_cast<float>(std::acos(m / s));
            angles[2] = static_cast<float>(std::acos(n / s));
            return;
        }
    }
    // A line across x (dx = 0, or so small that the slopes overflow): the same orientation rule
    // carried on to the next component, from the direction cosines.
    double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    double sense = dx != 0.0 ? std::copysign(1.0, dx) : std::copysign(1.0, dy);
    angles[0] = static_cast<float>(SafeAcos(sense * dx / length));
    angles[1] = static_cast<float>(SafeAcos(sense * dy / length));
    angles[2] = static_cast<float>(SafeAcos(sense * dz / length));
}

float CUtil::Get3pPolyLineAngle(KeloPoint3d p1, KeloPoint3d p2, KeloPoint3d p3) {
    bool firstVertical = Same(p1.x, p2.x) && Same(p1.y, p2.y);
    bool secondVertical = Same(p2.x, p3.x) && Same(p2.y, p3.y);
    if (firstVertical && secondVertical) return 0.0f;
    // A vertical segment meets a level one at a right angle.
    if ((firstVertical && Same(p2.z, p3.z)) || (secondVertical && Same(p1.z, p2.z))) return static_cast<float>(kHalfPi);

    double ax = p2.x - p3.x, ay = p2.y - p3.y, az = p2.z - p3.z;  // second segment
    double bx = p1.x - p2.x, by = p1.y - p2.y, bz = p1.z - p2.z;  // first segment
    if (firstVertical && std::fabs(ax) > kCoordTol) {
        double m = ay / ax, n = az / ax;
        return static_cast<float>(FoldToQuarter(SafeAcos(n / std::sqrt(m * m + 1.0 + n * n))));
    }
    if (secondVertical && std::fabs(bx) > kCoordTol) {
        double m = by / bx, n = bz / bx;
        return static_cast<float>(FoldToQuarter(SafeAcos(n / std::sqrt(m * m + 1.0 + n * n))));
    }
    if (ax == 0.0 || bx == 0.0) return static_cast<float>(LineAngle(ax, ay, az, bx, by, bz));
    double m = ay / ax, n = az / ax;
    double r = by / bx, q = bz / bx;
    double t = SafeAcos((m * r + 1.0 + n * q) / std::sqrt((m * m + 1.0 + n * n) * (r * r + 1.0 + q * q)));
    if (!std::isfinite(t)) return static_cast<float>(LineAngle(ax, ay, az, bx, by, bz));
    return static_cast<float>(FoldToQuarter(t));
}

void CUtil::GetRotateMatrix(double x1, double y1, double z1, double x2, double y2, double z2, double angle,
                            double m[3][3], int transpose) {
    double w[3] = {x2 - x1, y2 - y1, z2 - z1};
    const double zero = 0.0, tol = 0.0001;
    if (EQU_COMP(w[0], zero, tol) && EQU_COMP(w[1], zero, tol) && EQU_COMP(w[2], zero, tol)) {
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) m[r][c] = r == c ? 1.0 : 0.0;
        return;
    }
    double length = std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
    for (double& c : w) c /= length;

    double u[3], v[3];
    double zAxis[3] = {0.0, 0.0, 1.0};
    if (std::fabs(w[2] - 1.0) >= 1e-6 && std::fabs(w[2] + 1.0) >= 1e-6) {
        if (transpose)
            unit_cross_mul(w, zAxis, u);
        else
            unit_cross_mul(zAxis, w, u);
        unit_cross_mul(w, u, v);
    } else {
        // Along +z or -z: keep x and turn y with the direction so that the frame stays right-handed.
        double ySense = w[2] > 0.0 ? 1.0 : -1.0;
        u[0] = 1.0, u[1] = 0.0, u[2] = 0.0;
        v[0] = 0.0, v[1] = ySense, v[2] = 0.0;
    }

    if (std::fabs(angle) > 1e-6) {
        double c = std::cos(angle), s = std::sin(angle);
        for (int k = 0; k < 3; ++k) {
            double uk = c * u[k] + s * v[k];
            double vk = c * v[k] - s * u[k];
            u[k] = uk;
            v[k] = vk;
        }
    }

    const double* axes[3] = {u, v, w};
    for (int a = 0; a < 3; ++a)
        for (int k = 0; k < 3; ++k) {
            if (transpose)
                m[k][a] = axes[a][k];
            else
                m[a][k] = axes[a][k];
        }
}

void CUtil::GetRotateMatrix(const KeloPoint3d& p1, const KeloPoint3d& p2, double angle, double m[3][3], int transpose) {
    GetRotateMatrix(p1.x, p1.y, p1.z, p2.x, p2.y, p2.z, angle, m, transpose);
}
