// CUtil itself and its small, pure operations: comparison, swaps, polar points, distances, angles.
#include <ckw/Util.h>

#include <cmath>
#include <utility>

#include "geom/FloatPolar.h"
#include "geom/GeomConstants.h"

CUtil::CUtil() : m_hoopDistStr("@") {}
CUtil::CUtil(const CUtil& other) = default;
CUtil& CUtil::operator=(const CUtil& other) = default;
CUtil::~CUtil() = default;

bool CUtil::EQU_COMP(const double& a, const double& b, const double& tol) { return std::fabs(a - b) < tol; }

void CUtil::Swap(float& a, float& b) { std::swap(a, b); }
void CUtil::Swap(int& a, int& b) { std::swap(a, b); }
void CUtil::Swap(KeloPoint2d& a, KeloPoint2d& b) { std::swap(a, b); }

void CUtil::DIST(float x, float y, float angle, float dist, float& outX, float& outY) {
    ckw::geom::PolarF(x, y, angle, dist, outX, outY);
}

double CUtil::kw_Distance(KeloPoint2d a, KeloPoint2d b) { return a.distanceTo(b); }

double CUtil::kw_Angle(KeloPoint2d a, KeloPoint2d b) { return a.angleTo(b); }

void CUtil::kw_polar(KeloPoint2d base, float angle, float dist, KeloPoint2d& out) {
    out.x = base.x + dist * std::cos(static_cast<double>(angle));
    out.y = base.y + dist * std::sin(static_cast<double>(angle));
}

void CUtil::kw_polar(KeloPoint3d base, float angle, float dist, KeloPoint3d& out) {
    out.x = base.x + dist * std::cos(static_cast<double>(angle));
    out.y = base.y + dist * std::sin(static_cast<double>(angle));
    out.z = base.z;
}

void CUtil::unit_cross_mul(double* a, double* b, double* out) {
    double cx = a[1] * b[2] - a[2] * b[1];
    double cy = a[2] * b[0] - a[0] * b[2];
    double cz = a[0] * b[1] - a[1] * b[0];
    double length = std::sqrt(cx * cx + cy * cy + cz * cz);
    out[0] = cx / length;
    out[1] = cy / length;
    out[2] = cz / length;
}
