#include "EntityEdit.h"

#include <algorithm>
#include <cmath>

namespace ckw::engine::edit {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kAlignStart = 101, kAlignMiddle = 102, kAlignEnd = 103;

double Cross(double ux, double uy, double vx, double vy) { return ux * vy - uy * vx; }

// Start and end swapped (left and right, or bottom and top); the middle stays.
float Flipped(float align) {
    const int a = WholeNumber(align);
    return static_cast<float>(a == kAlignMiddle ? kAlignMiddle : a == kAlignEnd ? kAlignStart : kAlignEnd);
}

// A mirrored text keeps reading forwards: turned half round with its ends swapped, or kept at its
// mirrored angle with top and bottom swapped, whichever leaves it more nearly upright.
void ReadForwards(Entity& text) {
    if (text.values.size() < 7) return;
    const double angle = text.values[4] * kPi / 180;
    const bool upright = std::cos(angle) > 1e-9 || (std::abs(std::cos(angle)) <= 1e-9 && std::sin(angle) > 0);
    if (upright) {
        text.values[6] = Flipped(text.values[6]);
    } else {
        text.values[4] = static_cast<float>(std::remainder(text.values[4] + 180.0, 360.0));
        text.values[5] = Flipped(text.values[5]);
    }
}

struct Vertex {
    double x, y, arcHeight;
};

// The direction of travel at the start and at the end of segment p->q with the given arc height
// (an arc bulging to the right of p->q turns right at its start and left at its end).
void Tangents(const Vertex& p, const Vertex& q, double& startAngle, double& endAngle) {
    const double chord = std::atan2(q.y - p.y, q.x - p.x), length = std::hypot(q.x - p.x, q.y - p.y);
    const double turn = length > 0 ? 2 * std::atan(2 * p.arcHeight / length) : 0;
    startAngle = chord - turn;
    endAngle = chord + turn;
}

std::optional<Entity> OffsetPolyline(const Entity& e, double distance, double sideX, double sideY) {
    const int n = PolylineVertexCount(e);
    if (n < 2) return std::nullopt;
    const bool closed = e.values.size() > 1 && e.values[1] != 0;
    std::vector<Vertex> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const size_t b = 2 + static_cast<size_t>(i) * kPolylineVertexValues;
        v[i] = {e.values[b], e.values[b + 1], e.values[b + 2]};
    }
    const int segments = closed ? n : n - 1;
    // The side: of the nearest piece of the drawn outline.
    double best = INFINITY, side = 1;
    for (int i = 0; i < segments; ++i) {
        const Vertex &p = v[i], &q = v[(i + 1) % n];
        const auto pts = BulgePoints({p.x, p.y}, {q.x, q.y}, p.arcHeight);
        for (size_t k = 1; k < pts.size(); ++k) {
            const double dx = pts[k].x - pts[k - 1].x, dy = pts[k].y - pts[k - 1].y, len2 = dx * dx + dy * dy;
            if (len2 == 0) continue;
            const double u = std::clamp(((sideX - pts[k - 1].x) * dx + (sideY - pts[k - 1].y) * dy) / len2, 0.0, 1.0);
            const double d = std::hypot(sideX - pts[k - 1].x - u * dx, sideY - pts[k - 1].y - u * dy);
            if (d < best) {
                best = d;
                side = Cross(dx, dy, sideX - pts[k - 1].x, sideY - pts[k - 1].y) >= 0 ? 1 : -1;
            }
        }
    }
    if (!std::isfinite(best)) return std::nullopt;
    const double shift = side * distance;  // to the left of travel when positive
    std::vector<double> starts(segments), ends(segments);
    for (int i = 0; i < segments; ++i) Tangents(v[i], v[(i + 1) % n], starts[i], ends[i]);
    Entity out = e;
    for (int i = 0; i < n; ++i) {
        // The normals of the segments that meet here (one at an open end).
        const bool hasIn = closed || i > 0, hasOut = closed || i < n - 1;
        const int in = (i - 1 + segments) % segments, outSeg = i % segments;
        const double aIn = hasIn ? ends[in] : starts[outSeg], aOut = hasOut ? starts[outSeg] : ends[in];
        const double nxIn = -std::sin(aIn), nyIn = std::cos(aIn), nxOut = -std::sin(aOut), nyOut = std::cos(aOut);
        const double meet = 1 + nxIn * nxOut + nyIn * nyOut;
        double mx = nxOut, my = nyOut;
        if (meet > 1e-6) mx = (nxIn + nxOut) / meet, my = (nyIn + nyOut) / meet;
        const size_t b = 2 + static_cast<size_t>(i) * kPolylineVertexValues;
        out.values[b] = static_cast<float>(v[i].x + shift * mx);
        out.values[b + 1] = static_cast<float>(v[i].y + shift * my);
    }
    // An arc keeps its centre and sweep: its height follows its radius.
    for (int i = 0; i < segments; ++i) {
        const Vertex &p = v[i], &q = v[(i + 1) % n];
        if (p.arcHeight == 0) continue;
        const double c = std::hypot(q.x - p.x, q.y - p.y), h = std::abs(p.arcHeight);
        const double r = (c * c / 4 + h * h) / (2 * h);
        // Bulging to the right, the centre lies to the left: a shift to the left comes nearer it.
        const double radius = r - (p.arcHeight > 0 ? shift : -shift);
        if (!(radius > 0) || !std::isfinite(radius)) return std::nullopt;
        out.values[2 + static_cast<size_t>(i) * kPolylineVertexValues + 2] =
            static_cast<float>(p.arcHeight * radius / r);
    }
    return out;
}

}  // namespace

Transform Move(double dx, double dy) { return Transform::Translation(dx, dy); }
Transform Rotate(double x, double y, double degrees) { return Transform::RotationAbout(x, y, degrees); }
Transform Scale(double x, double y, double factor) { return Transform::ScaleAbout(x, y, factor); }

Transform Mirror(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1, len2 = dx * dx + dy * dy;
    if (!(len2 > 0) || !std::isfinite(len2)) return {};
    // Reflection about a line through the origin of direction (dx, dy), then moved to (x1, y1).
    const double a = (dx * dx - dy * dy) / len2, b = 2 * dx * dy / len2;
    return {a, b, b, -a, x1 - a * x1 - b * y1, y1 - b * x1 + a * y1};
}

void Place(Entity& entity, const Transform& t) {
    TransformEntity(entity, t);
    if (t.Mirrors() && IsTextLike(entity.kind) && entity.kind != kDimension) ReadForwards(entity);
}

bool CanOffset(const Entity& e) {
    return e.kind == kLine || e.kind == kArc || e.kind == kCircle || e.kind == kPolyline;
}

std::optional<Entity> Offset(const Entity& e, double distance, double sideX, double sideY) {
    if (!(distance > 0) || !std::isfinite(distance) || e.deleted) return std::nullopt;
    switch (e.kind) {
    case kLine: {
        if (e.values.size() < 4) return std::nullopt;
        const double dx = e.values[2] - e.values[0], dy = e.values[3] - e.values[1], len = std::hypot(dx, dy);
        if (!(len > 0)) return std::nullopt;
        const double side = Cross(dx, dy, sideX - e.values[0], sideY - e.values[1]) >= 0 ? 1 : -1;
        Entity out = e;
        TransformEntity(out, Transform::Translation(-dy / len * distance * side, dx / len * distance * side));
        return out;
    }
    case kCircle:
    case kArc: {
        if (e.values.size() < 3) return std::nullopt;
        const double r = e.values[2];
        const bool outside = std::hypot(sideX - e.values[0], sideY - e.values[1]) > r;
        const double radius = outside ? r + distance : r - distance;
        if (!(radius > 0)) return std::nullopt;
        Entity out = e;
        out.values[2] = static_cast<float>(radius);
        return out;
    }
    case kPolyline:
        return OffsetPolyline(e, distance, sideX, sideY);
    default:
        return std::nullopt;
    }
}

std::vector<std::vector<Point2>> Outline(const Drawing& drawing, const Entity& entity) {
    if (entity.kind != kBlockInsert) return ckw::engine::Outline(entity);
    Bounds b;
    AddEntityBounds(entity, drawing.Blocks(), Transform{}, b, 0);
    if (b.empty) return {};
    return {{{b.xmin, b.ymin}, {b.xmax, b.ymin}, {b.xmax, b.ymax}, {b.xmin, b.ymax}, {b.xmin, b.ymin}}};
}

}  // namespace ckw::engine::edit
