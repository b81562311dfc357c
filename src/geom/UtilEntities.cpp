// CUtil's entity-making helpers: single host entities from the library's point values, on the
// layer, colour and line type the caller made current. Without an engine they do nothing.
#include <vector>

#include <ckw/HostEngine.h>
#include <ckw/Util.h>
#include "geom/GeomConstants.h"

namespace {

// The points as the host's float coordinate arrays.
struct FloatCoords {
    explicit FloatCoords(const CArray<KeloPoint2d, KeloPoint2d&>& points) {
        for (const KeloPoint2d& p : points) {
            xs.push_back(static_cast<float>(p.x));
            ys.push_back(static_cast<float>(p.y));
        }
    }
    int Count() const { return static_cast<int>(xs.size()); }
    std::vector<float> xs, ys;
};

}  // namespace

void CUtil::MakeLine(KeloPoint2d a, KeloPoint2d b) { kw_Line(a, b); }

void CUtil::MakeArc(KeloPoint2d center, KeloPoint2d start, KeloPoint2d end) {
    if (!m_pCfg) return;
    const double toDegrees = 180.0 / ckw::geom::kPi;
    float radius = static_cast<float>(center.distanceTo(start));
    float startDegrees = static_cast<float>(center.angleTo(start) * toDegrees);
    float endDegrees = static_cast<float>(center.angleTo(end) * toDegrees);
    m_pCfg->HostDrawArc(static_cast<float>(center.x), static_cast<float>(center.y), radius, startDegrees, endDegrees);
}

void CUtil::MakePolyFh(CArray<KeloPoint2d, KeloPoint2d&>& points, int fill) {
    if (!m_pCfg || points.IsEmpty()) return;
    FloatCoords coords(points);
    const int plainStyle = 0;
    const int styleData[10] = {};
    const int fillCode = fill ? 31 : 32;
    m_pCfg->HostDrawFilledPolygon(coords.Count(), coords.xs.data(), coords.ys.data(), plainStyle, styleData, fillCode);
}

void CUtil::MakeArcPline(KeloPoint2d center, KeloPoint2d start, KeloPoint2d end, float width) {
    if (!m_pCfg) return;
    // Height of the minor arc over its chord; the host decides the side it bulges to.
    KeloPoint2d mid((start.x + end.x) / 2.0, (start.y + end.y) / 2.0);
    float height = static_cast<float>(center.distanceTo(start) - center.distanceTo(mid));
    const int count = 2;
    const float xs[2] = {static_cast<float>(start.x), static_cast<float>(end.x)};
    const float ys[2] = {static_cast<float>(start.y), static_cast<float>(end.y)};
    const float heights[2] = {height, height};
    const float widths[2] = {width, width};
    const float zeros[2] = {};
    const int open = 0;
    m_pCfg->HostDrawWidePolyline(count, xs, ys, heights, widths, zeros, zeros, open);
}

void CUtil::MakePline(CArray<KeloPoint2d, KeloPoint2d&>& points, float width, int closed) {
    if (!m_pCfg) return;
    FloatCoords coords(points);
    // One slot more than the points, so an empty polyline still hands the host valid arrays.
    const size_t slots = coords.xs.size() + 1;
    std::vector<float> zeros(slots, 0.0f), widths(slots, width);
    coords.xs.push_back(0.0f);
    coords.ys.push_back(0.0f);
    m_pCfg->HostDrawWidePolyline(coords.Count() - 1, coords.xs.data(), coords.ys.data(), zeros.data(), widths.data(),
                                 zeros.data(), zeros.data(), closed);
}
