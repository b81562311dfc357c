#include "Measure.h"

#include <QCoreApplication>
#include <cmath>
#include <string>

#include <ckw/EngineDrawing.h>
#include <ckw/HostEngine.h>

#include "GbkQt.h"
#include "PointPrompt.h"

namespace kwdraw {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMillimetresPerMetre = 1000;

QString Fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

// Shows a result on the prompt line (and so in the prompt history).
QString Say(const QString& text) {
    const std::string gbk = ToGbk(text);
    m_pCfg->HostPrompt(gbk.c_str(), static_cast<int>(gbk.size()));
    return text;
}

// The outline of a picked entity when it is closed: a closed polyline (or one that ends where it
// starts) or a rectangle.
bool ClosedOutline(int kind, const float* v, int count, std::vector<OutlineVertex>& outline) {
    if (kind == ckw::engine::kRectangle && count >= 5) {
        const double x = v[0], y = v[1], w = v[2], h = v[3], a = v[4] * kPi / 180;
        const double c = std::cos(a), s = std::sin(a);
        for (auto [lx, ly] : {std::pair{0.0, 0.0}, {w, 0.0}, {w, h}, {0.0, h}})
            outline.push_back({x + lx * c - ly * s, y + lx * s + ly * c, 0});
        return true;
    }
    if (kind != ckw::engine::kPolyline || count < 2) return false;
    // The count as the record holds it, which may be any float: clamped before the conversion.
    const double held = std::isfinite(v[0]) ? v[0] : 0;
    const int n = static_cast<int>(std::clamp(held, 0.0, double((count - 2) / ckw::engine::kPolylineVertexValues)));
    for (int i = 0; i < n; ++i) {
        const float* at = v + 2 + i * ckw::engine::kPolylineVertexValues;
        outline.push_back({at[0], at[1], at[2]});
    }
    if (n < 3) return false;
    if (v[1] != 0) return true;
    // Open, but ending where it starts: the last vertex is the first again.
    if (outline.front().x != outline.back().x || outline.front().y != outline.back().y) return false;
    outline.pop_back();
    return true;
}

}  // namespace

void AreaAndPerimeter(const std::vector<OutlineVertex>& outline, double& area, double& perimeter) {
    double twice = 0, arcs = 0;
    perimeter = 0;
    const size_t n = outline.size();
    for (size_t i = 0; i < n; ++i) {
        const OutlineVertex& p = outline[i];
        const OutlineVertex& q = outline[(i + 1) % n];
        twice += p.x * q.y - q.x * p.y;
        const double chord = std::hypot(q.x - p.x, q.y - p.y), h = std::abs(p.arcHeight);
        if (h == 0 || chord == 0 || !std::isfinite(h)) {
            perimeter += chord;
            continue;
        }
        // An arc segment: the circle's piece cut off by the chord lies outside the straight
        // outline when the arc bulges to the right of an anticlockwise outline's edge.
        const double radius = (chord * chord / 4 + h * h) / (2 * h), angle = 4 * std::atan(2 * h / chord);
        perimeter += radius * angle;
        const double piece = radius * radius / 2 * (angle - std::sin(angle));
        arcs += p.arcHeight > 0 ? piece : -piece;
    }
    area = std::abs(twice / 2 + arcs);
}

QString DistanceText(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1, distance = std::hypot(dx, dy);
    double angle = std::atan2(dy, dx) * 180 / kPi;
    if (angle < 0) angle += 360;
    return QCoreApplication::translate("kwdraw::Measure", "Distance = %1 (%2 m), angle = %3 deg, dX = %4, dY = %5")
        .arg(Fixed(distance, 1), Fixed(distance / kMillimetresPerMetre, 3), Fixed(angle, 2), Fixed(dx, 1),
             Fixed(dy, 1));
}

QString AreaText(double area, double perimeter) {
    const double squareMetre = kMillimetresPerMetre * kMillimetresPerMetre;
    return QCoreApplication::translate("kwdraw::Measure", "Area = %1 (%2 sq m), perimeter = %3 (%4 m)")
        .arg(Fixed(area, 1), Fixed(area / squareMetre, 3), Fixed(perimeter, 1),
             Fixed(perimeter / kMillimetresPerMetre, 3));
}

QString MeasureDistanceCommand() {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!AskPoint("请点取测量的第一点", x1, y1) || !AskPoint("请点取测量的第二点", x2, y2, LineFrom(x1, y1))) return {};
    return Say(DistanceText(x1, y1, x2, y2));
}

QString MeasureAreaCommand() {
    std::vector<OutlineVertex> outline;
    float x = 0, y = 0;
    const Asked first = AskPointOrTab("请点取面积的第一点（TAB 选取封闭多段线）", x, y);
    if (first == Asked::Tab) {
        static constexpr char kPick[] = "请选取封闭多段线";
        m_pCfg->HostPrompt(kPick, static_cast<int>(sizeof kPick - 1));
        int kind = 0, status = 1;
        m_pCfg->HostPickEntity(x, y, kind, status);
        m_pCfg->HostClearPrompt();
        if (status != 0) return {};
        std::vector<float> values(kHostRecordCapacity);
        std::vector<char> text(kHostRecordCapacity);
        int attributes[kHostAttributeCount] = {}, count = 0, length = 0, read = -1;
        if (kind > 0)
            m_pCfg->HostReadEntity(read, attributes, values.data(), count, text.data(), length, kHostRecordCapacity);
        if (read <= 0 || !ClosedOutline(read, values.data(), count, outline))
            return Say(QCoreApplication::translate("kwdraw::Measure", "What was picked is no closed polyline"));
    } else if (first == Asked::Point) {
        outline.push_back({x, y, 0});
        // Each point closes the outline back to the first while the cursor moves.
        for (;;) {
            const OutlineVertex last = outline.back(), start = outline.front();
            auto band = [&](float cx, float cy) {
                const float xs[] = {float(last.x), cx, float(start.x)}, ys[] = {float(last.y), cy, float(start.y)};
                m_pCfg->HostDrawPolyline(3, xs, ys);
            };
            if (!AskPoint("请点取下一点（回车结束）", x, y, band)) break;
            outline.push_back({x, y, 0});
        }
        if (outline.size() < 3) return {};
    } else {
        return {};
    }
    double area = 0, perimeter = 0;
    AreaAndPerimeter(outline, area, perimeter);
    return Say(AreaText(area, perimeter));
}

}  // namespace kwdraw
