// CUtil's small drawing operations through the host engine: a line, user coordinates, segment
// intersection and the break-line symbol. Without an engine they do nothing.
#include <cmath>

#include <ckw/HostEngine.h>
#include <ckw/Util.h>
#include "geom/GeomConstants.h"

namespace {

KeloPoint2d Midpoint(const KeloPoint2d& a, const KeloPoint2d& b) {
    return KeloPoint2d((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
}

}  // namespace

void CUtil::kw_Line(KeloPoint2d a, KeloPoint2d b) {
    if (!m_pCfg) return;
    m_pCfg->HostDrawLine(static_cast<float>(a.x), static_cast<float>(a.y), static_cast<float>(b.x),
                         static_cast<float>(b.y));
}

void CUtil::kw_MyUsercs(KeloPoint2d origin, float scale) {
    if (!m_pCfg) return;
    const float record[kHostCoordsRecordSize] = {
        static_cast<float>(origin.x), static_cast<float>(origin.y), 0.0f, scale, scale, 1.0f, 0.0f, 0.0f, 0.0f};
    m_pCfg->HostSetUserCoords(record);
}

void CUtil::kw_Inters(KeloPoint2d a1, KeloPoint2d a2, KeloPoint2d b1, KeloPoint2d b2, float tol, KeloPoint2d& out,
                      int& flag1, int& flag2) {
    if (!m_pCfg) return;
    // Parallel lines leave the host's point as it was: start it from out so out stays as it was.
    float x = static_cast<float>(out.x);
    float y = static_cast<float>(out.y);
    m_pCfg->HostIntersectSegments(static_cast<float>(a1.x), static_cast<float>(a1.y), static_cast<float>(a2.x),
                                  static_cast<float>(a2.y), static_cast<float>(b1.x), static_cast<float>(b1.y),
                                  static_cast<float>(b2.x), static_cast<float>(b2.y), tol, x, y, flag1, flag2);
    if (flag1 == -1 && flag2 == -1) return;
    out.x = x;
    out.y = y;
}

// A zigzag across the line p1-p2 at its middle, overrunning both ends. Short lines get a
// proportionally smaller symbol; from 200 drawing units on it keeps its full size.
void CUtil::kw_BreakLine(KeloPoint2d p1, KeloPoint2d p2, float) {
    using ckw::geom::kHalfPi;
    using ckw::geom::kPi;
    if (!m_pCfg) return;
    double a = p1.angleTo(p2);
    double length = p1.distanceTo(p2);
    float k = length >= 200.0 ? 1.0f : static_cast<float>(0.8 * length / 200.0);
    auto angle = [](double radians) { return static_cast<float>(radians); };
    KeloPoint2d m = Midpoint(p1, p2);
    KeloPoint2d q[6];
    kw_polar(p1, angle(a + kPi), 200 * k, q[0]);
    kw_polar(m, angle(a + kPi), 100 * k, q[1]);
    kw_polar(m, angle(a), 100 * k, q[4]);
    kw_polar(Midpoint(q[1], m), angle(a + kHalfPi), 150 * k, q[2]);
    kw_polar(Midpoint(q[4], m), angle(a - kHalfPi), 150 * k, q[3]);
    kw_polar(p2, angle(a), 200 * k, q[5]);
    float xs[6], ys[6];
    for (int i = 0; i < 6; ++i) {
        xs[i] = static_cast<float>(q[i].x);
        ys[i] = static_cast<float>(q[i].y);
    }
    const int count = 6;
    m_pCfg->HostDrawPolyline(count, xs, ys);
}
