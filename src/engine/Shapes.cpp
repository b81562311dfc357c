#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/GbkText.h"

namespace ckw::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFar = std::numeric_limits<double>::max();

double Rad(double degrees) { return degrees * kPi / 180.0; }
double Deg(double radians) { return radians * 180.0 / kPi; }

float V(const Entity& e, size_t i) { return i < e.values.size() ? e.values[i] : 0.0f; }

void MovePoint(Entity& e, size_t i, const Transform& t) {
    if (i + 1 >= e.values.size()) return;
    double x, y;
    t.Apply(e.values[i], e.values[i + 1], x, y);
    e.values[i] = static_cast<float>(x);
    e.values[i + 1] = static_cast<float>(y);
}

void ScaleValue(Entity& e, size_t i, double factor) {
    if (i < e.values.size()) e.values[i] = static_cast<float>(e.values[i] * factor);
}

// Angle in degrees of the transformed direction of `degrees`.
double TurnAngle(const Transform& t, double degrees) {
    double dx = std::cos(Rad(degrees)), dy = std::sin(Rad(degrees));
    return Deg(std::atan2(t.b * dx + t.d * dy, t.a * dx + t.c * dy));
}

double SegmentDistance(Point2 p, Point2 a, Point2 b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double u = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    u = std::clamp(u, 0.0, 1.0);
    return std::hypot(p.x - (a.x + u * dx), p.y - (a.y + u * dy));
}

bool InsidePolygon(Point2 p, const std::vector<Point2>& poly) {
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        if ((poly[i].y > p.y) != (poly[j].y > p.y) &&
            p.x < (poly[j].x - poly[i].x) * (p.y - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
            inside = !inside;
    }
    return inside;
}

bool IsFilledKind(int kind) { return kind == kCore || kind == kTrace || kind == kFilledPolygon || IsTextLike(kind); }

}  // namespace

Transform Transform::FromRecord(const float* r) {
    double rot = Rad(r[8]);
    double cs = std::cos(rot), sn = std::sin(rot);
    double sx = r[3], sy = r[4];
    return {cs * sx, sn * sx, -sn * sy, cs * sy, r[0], r[1]};
}

Transform Transform::ScaleAbout(double x, double y, double k) { return {k, 0, 0, k, x - k * x, y - k * y}; }

Transform Transform::RotationAbout(double x, double y, double degrees) {
    double cs = std::cos(Rad(degrees)), sn = std::sin(Rad(degrees));
    return {cs, sn, -sn, cs, x - cs * x + sn * y, y - sn * x - cs * y};
}

Transform Transform::After(const Transform& in) const {
    return {a * in.a + c * in.b, b * in.a + d * in.b,     a * in.c + c * in.d,
            b * in.c + d * in.d, a * in.e + c * in.f + e, b * in.e + d * in.f + f};
}

bool Transform::Invert(Transform& inv) const {
    double det = a * d - b * c;
    if (det == 0 || !std::isfinite(det)) return false;
    inv.a = d / det;
    inv.b = -b / det;
    inv.c = -c / det;
    inv.d = a / det;
    inv.e = -(inv.a * e + inv.c * f);
    inv.f = -(inv.b * e + inv.d * f);
    return true;
}

double Transform::Scale() const { return std::sqrt(std::abs(a * d - b * c)); }
double Transform::Rotation() const { return Deg(std::atan2(b, a)); }

void Bounds::Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    float fx = static_cast<float>(x), fy = static_cast<float>(y);
    if (empty) {
        xmin = xmax = fx;
        ymin = ymax = fy;
        empty = false;
        return;
    }
    xmin = std::min(xmin, fx);
    ymin = std::min(ymin, fy);
    xmax = std::max(xmax, fx);
    ymax = std::max(ymax, fy);
}

Transform InsertTransform(const Entity& e) {
    float record[9] = {V(e, 1), V(e, 2), V(e, 3), V(e, 4), V(e, 5), V(e, 6), 0, 0, V(e, 7)};
    return Transform::FromRecord(record);
}

namespace {

// How each kind's values follow a transform (the points move; sizes, widths and arc heights
// scale; angles turn).

void TransformPolyline(Entity& e, const Transform& t) {
    const double s = t.Scale();
    int n = PolylineVertexCount(e);
    for (int i = 0; i < n; ++i) {
        size_t base = 2 + static_cast<size_t>(i) * kPolylineVertexValues;
        MovePoint(e, base, t);
        ScaleValue(e, base + 2, t.Mirrors() ? -s : s);
        ScaleValue(e, base + 3, s);
        ScaleValue(e, base + 4, s);
    }
}

// x, y, width, height, angle: follow both local axes through the transform.
void TransformRectangle(Entity& e, const Transform& t) {
    double ang = Rad(V(e, 4));
    double ux = t.a * std::cos(ang) + t.c * std::sin(ang), uy = t.b * std::cos(ang) + t.d * std::sin(ang);
    double vx = -t.a * std::sin(ang) + t.c * std::cos(ang), vy = -t.b * std::sin(ang) + t.d * std::cos(ang);
    MovePoint(e, 0, t);
    if (e.values.size() >= 5) {
        e.values[2] = static_cast<float>(e.values[2] * std::hypot(ux, uy));
        e.values[3] = static_cast<float>(e.values[3] * std::hypot(vx, vy) * (ux * vy - uy * vx < 0 ? -1 : 1));
        e.values[4] = static_cast<float>(Deg(std::atan2(uy, ux)));
    }
}

void TransformArc(Entity& e, const Transform& t) {
    if (e.values.size() < 5) return;
    double a0 = TurnAngle(t, e.values[3]), a1 = TurnAngle(t, e.values[4]);
    if (t.Mirrors()) std::swap(a0, a1);
    MovePoint(e, 0, t);
    ScaleValue(e, 2, t.Scale());
    e.values[3] = static_cast<float>(a0);
    e.values[4] = static_cast<float>(a1);
}

void TransformText(Entity& e, const Transform& t) {
    const double s = t.Scale();
    ScaleValue(e, 0, s);
    ScaleValue(e, 1, s);
    MovePoint(e, 2, t);
    if (e.values.size() > 4) e.values[4] = static_cast<float>(TurnAngle(t, e.values[4]));
    ScaleValue(e, 7, s);
}

void TransformFilledPolygon(Entity& e, const Transform& t) {
    int n = std::clamp(WholeNumber(V(e, 0)), 0, (kHostRecordCapacity - 3) / 2);
    for (int i = 0; i < n; ++i) MovePoint(e, 3 + static_cast<size_t>(i) * 2, t);
}

void TransformDimension(Entity& e, const Transform& t) {
    ScaleValue(e, 0, t.Scale());
    ScaleValue(e, 1, t.Scale());
    for (size_t i = 2; i < 8; i += 2) MovePoint(e, i, t);
}

void TransformInsert(Entity& e, const Transform& t) {
    if (e.values.size() < 8) return;
    const double s = t.Scale();
    MovePoint(e, 1, t);
    e.values[4] = static_cast<float>(e.values[4] * s);
    // A mirror turns the block's x axis and reverses its y axis: the content is mirrored too.
    e.values[5] = static_cast<float>(e.values[5] * (t.Mirrors() ? -s : s));
    e.values[6] = static_cast<float>(e.values[6] * s);
    e.values[7] = static_cast<float>(t.Mirrors() ? TurnAngle(t, e.values[7]) : e.values[7] + t.Rotation());
}

}  // namespace

void TransformEntity(Entity& e, const Transform& t) {
    switch (e.kind) {
    case kPoint:
        return MovePoint(e, 0, t);
    case kLine:
        MovePoint(e, 0, t);
        return MovePoint(e, 2, t);
    case kPolyline:
        return TransformPolyline(e, t);
    case kRectangle:
        return TransformRectangle(e, t);
    case kCircle:
    case kCore:
        MovePoint(e, 0, t);
        return ScaleValue(e, 2, t.Scale());
    case kArc:
        return TransformArc(e, t);
    case kChineseText:
    case kWesternText:
    case kMultilineText:
        return TransformText(e, t);
    case kTrace:
        for (size_t i = 0; i < 8; i += 2) MovePoint(e, i, t);
        return;
    case kFilledPolygon:
        return TransformFilledPolygon(e, t);
    case kDimension:
        return TransformDimension(e, t);
    case kBlockInsert:
        return TransformInsert(e, t);
    default:
        return;  // table entries and unknown kinds have no place
    }
}

std::vector<Point2> ArcPoints(double cx, double cy, double r, double startDeg, double endDeg) {
    double sweep = endDeg - startDeg;
    if (!std::isfinite(sweep)) return {};
    if (sweep <= 0) sweep = std::fmod(sweep, 360.0) + 360;
    if (sweep > 360) sweep = 360;
    int steps = std::clamp(static_cast<int>(sweep / 6), 4, 64);
    std::vector<Point2> pts;
    pts.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        double a = Rad(startDeg + sweep * i / steps);
        pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return pts;
}

std::vector<Point2> BulgePoints(Point2 p, Point2 q, double h) {
    double dx = q.x - p.x, dy = q.y - p.y;
    double c = std::hypot(dx, dy);
    if (h == 0 || c == 0 || !std::isfinite(h)) return {p, q};
    double r = (c * c / 4 + h * h) / (2 * std::abs(h));
    if (!std::isfinite(r)) return {p, q};
    // Unit normal to the right of p->q; the arc's middle lies h along it.
    double nx = dy / c, ny = -dx / c;
    double mx = (p.x + q.x) / 2, my = (p.y + q.y) / 2;
    double sign = h > 0 ? 1 : -1;
    double ccx = mx + nx * sign * (std::abs(h) - r), ccy = my + ny * sign * (std::abs(h) - r);
    double a0 = Deg(std::atan2(p.y - ccy, p.x - ccx)), a1 = Deg(std::atan2(q.y - ccy, q.x - ccx));
    if (h > 0) return ArcPoints(ccx, ccy, r, a0, a1);
    auto pts = ArcPoints(ccx, ccy, r, a1, a0);
    std::reverse(pts.begin(), pts.end());
    return pts;
}

int WholeNumber(double value) {
    if (std::isnan(value)) return 0;
    constexpr double low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, low, high));
}

int PolylineVertexCount(const Entity& polyline) {
    // A count beyond the vertices the record holds would make up vertices at 0, 0.
    const size_t values = polyline.values.size(), held = values > 2 ? (values - 2) / kPolylineVertexValues : 0;
    return std::clamp(WholeNumber(V(polyline, 0)), 0, static_cast<int>(std::min<size_t>(held, kMaxPolylineVertices)));
}

double TextWidthUnits(const std::string& gbk) {
    double units = 0;
    for (size_t i = 0; i < gbk.size();) {
        size_t n = ckw::text::CharLength(gbk, i);
        units += n > 1 ? 2 : 1;
        i += n;
    }
    return units;
}

std::array<Point2, 4> TextBox(const Entity& e) {
    double h = V(e, 0), w = V(e, 1), x = V(e, 2), y = V(e, 3), ang = Rad(V(e, 4));
    int ha = WholeNumber(V(e, 5)), va = WholeNumber(V(e, 6));
    double width = 0, height = h;
    if (e.kind == kMultilineText) {
        double spacing = V(e, 7) > 0 ? V(e, 7) : 1.5 * h;
        size_t start = 0;
        int lines = 0;
        while (true) {
            size_t end = e.text.find('\n', start);
            width = std::max(width, TextWidthUnits(e.text.substr(start, end - start)) * w / 2);
            ++lines;
            if (end == std::string::npos) break;
            start = end + 1;
        }
        height = h + (lines - 1) * spacing;
    } else {
        width = TextWidthUnits(e.text) * w / 2;  // char width is a double-byte character's width
    }
    double ox = ha == 102 ? -width / 2 : ha == 103 ? -width : 0;
    double oy = va == 102 ? -height / 2 : va == 103 ? -height : 0;
    if (e.kind == kMultilineText && va != 102 && va != 103) oy = -(height - h);
    double cs = std::cos(ang), sn = std::sin(ang);
    auto place = [&](double lx, double ly) { return Point2{x + lx * cs - ly * sn, y + lx * sn + ly * cs}; };
    return {place(ox, oy), place(ox + width, oy), place(ox + width, oy + height), place(ox, oy + height)};
}

namespace {

// The lines each kind is drawn with.

std::vector<Point2> PolylinePoints(const Entity& e) {
    int n = PolylineVertexCount(e);
    bool closed = V(e, 1) != 0;
    std::vector<Point2> pts;
    auto vertex = [&](int i) {
        size_t b = 2 + static_cast<size_t>(i) * kPolylineVertexValues;
        return Point2{V(e, b), V(e, b + 1)};
    };
    int segments = closed ? n : n - 1;
    if (n == 1) pts.push_back(vertex(0));
    for (int i = 0; i < segments; ++i) {
        auto arc =
            BulgePoints(vertex(i), vertex((i + 1) % n), V(e, 2 + static_cast<size_t>(i) * kPolylineVertexValues + 2));
        pts.insert(pts.end(), pts.empty() ? arc.begin() : arc.begin() + 1, arc.end());
    }
    return pts;
}

std::vector<Point2> RectanglePoints(const Entity& e) {
    double x = V(e, 0), y = V(e, 1), w = V(e, 2), h = V(e, 3), ang = Rad(V(e, 4));
    double cs = std::cos(ang), sn = std::sin(ang);
    auto place = [&](double lx, double ly) { return Point2{x + lx * cs - ly * sn, y + lx * sn + ly * cs}; };
    return {place(0, 0), place(w, 0), place(w, h), place(0, h), place(0, 0)};
}

std::vector<Point2> FilledPolygonPoints(const Entity& e) {
    int n = std::clamp(WholeNumber(V(e, 0)), 0, (kHostRecordCapacity - 3) / 2);
    std::vector<Point2> pts;
    for (int i = 0; i < n; ++i)
        pts.push_back({V(e, 3 + 2 * static_cast<size_t>(i)), V(e, 4 + 2 * static_cast<size_t>(i))});
    if (!pts.empty()) pts.push_back(pts.front());
    return pts;
}

// Extension lines from the measured points to the dimension line, and the line itself.
std::vector<std::vector<Point2>> DimensionLines(const Entity& e) {
    Point2 p1{V(e, 2), V(e, 3)}, p2{V(e, 4), V(e, 5)}, p3{V(e, 6), V(e, 7)};
    double dx = p2.x - p1.x, dy = p2.y - p1.y, len = std::hypot(dx, dy);
    if (len == 0) return {{p1, p3}};
    double nx = -dy / len, ny = dx / len;
    double off = (p3.x - p1.x) * nx + (p3.y - p1.y) * ny;
    Point2 q1{p1.x + nx * off, p1.y + ny * off}, q2{p2.x + nx * off, p2.y + ny * off};
    return {{p1, q1}, {p2, q2}, {q1, q2}};
}

// One line, or none when it has no points.
std::vector<std::vector<Point2>> Single(std::vector<Point2> points) {
    if (points.empty()) return {};
    return {std::move(points)};
}

}  // namespace

std::vector<std::vector<Point2>> Outline(const Entity& e) {
    switch (e.kind) {
    case kPoint:
        return {{{V(e, 0), V(e, 1)}}};
    case kLine:
        return {{{V(e, 0), V(e, 1)}, {V(e, 2), V(e, 3)}}};
    case kPolyline:
        return Single(PolylinePoints(e));
    case kRectangle:
        return {RectanglePoints(e)};
    case kCircle:
    case kCore:
        return {ArcPoints(V(e, 0), V(e, 1), V(e, 2), 0, 360)};
    case kArc:
        return {ArcPoints(V(e, 0), V(e, 1), V(e, 2), V(e, 3), V(e, 4))};
    case kChineseText:
    case kWesternText:
    case kMultilineText: {
        auto box = TextBox(e);
        return {{box[0], box[1], box[2], box[3], box[0]}};
    }
    case kTrace:
        return {{{V(e, 0), V(e, 1)}, {V(e, 2), V(e, 3)}, {V(e, 6), V(e, 7)}, {V(e, 4), V(e, 5)}, {V(e, 0), V(e, 1)}}};
    case kFilledPolygon:
        return Single(FilledPolygonPoints(e));
    case kDimension:
        return DimensionLines(e);
    default:
        return {};
    }
}

void AddEntityBounds(const Entity& e, const std::map<int, Block>& blocks, const Transform& t, Bounds& bounds,
                     int depth) {
    if (e.deleted) return;
    if (e.kind == kBlockInsert) {
        if (depth >= kMaxBlockDepth) return;
        auto it = blocks.find(WholeNumber(V(e, 0)));
        if (it == blocks.end()) {
            double x, y;
            t.Apply(V(e, 1), V(e, 2), x, y);
            bounds.Add(x, y);
            return;
        }
        Transform inner = t.After(InsertTransform(e));
        for (const Entity& child : it->second.entities) AddEntityBounds(child, blocks, inner, bounds, depth + 1);
        return;
    }
    // The commonest entities of the drawing itself are measured without building their outlines,
    // to the same extremes: a circle's outline passes through its four axis points, a polyline
    // without arcs through its vertices only.
    if (t.IsIdentity()) {
        switch (e.kind) {
        case kLine:
            bounds.Add(V(e, 0), V(e, 1));
            bounds.Add(V(e, 2), V(e, 3));
            return;
        case kCircle:
        case kCore: {
            const double x = V(e, 0), y = V(e, 1), r = V(e, 2);
            bounds.Add(x + r, y);
            bounds.Add(x, y + r);
            bounds.Add(x - r, y);
            bounds.Add(x, y - r);
            return;
        }
        case kPolyline: {
            const int n = PolylineVertexCount(e);
            const auto at = [](int i, int field) { return 2 + static_cast<size_t>(i) * kPolylineVertexValues + field; };
            bool straight = true;
            for (int i = 0; i < n && straight; ++i) straight = V(e, at(i, 2)) == 0;
            if (!straight) break;
            for (int i = 0; i < n; ++i) bounds.Add(V(e, at(i, 0)), V(e, at(i, 1)));
            return;
        }
        default:
            break;
        }
    }
    for (const auto& line : Outline(e)) {
        for (const auto& p : line) {
            double x, y;
            t.Apply(p.x, p.y, x, y);
            bounds.Add(x, y);
        }
    }
}

double DistanceTo(const Entity& e, const std::map<int, Block>& blocks, double x, double y, int depth) {
    if (e.deleted) return kFar;
    Point2 p{x, y};
    if (e.kind == kBlockInsert) {
        auto it = blocks.find(WholeNumber(V(e, 0)));
        Transform place = InsertTransform(e), back;
        if (it == blocks.end() || depth >= kMaxBlockDepth || !place.Invert(back))
            return std::hypot(x - V(e, 1), y - V(e, 2));
        double lx, ly;
        back.Apply(x, y, lx, ly);
        double best = kFar;
        for (const Entity& child : it->second.entities)
            best = std::min(best, DistanceTo(child, blocks, lx, ly, depth + 1));
        return best == kFar ? kFar : best * place.Scale();
    }
    auto lines = Outline(e);
    if (lines.empty()) return kFar;
    if (IsFilledKind(e.kind) && lines.size() == 1 && lines[0].size() > 2 && InsidePolygon(p, lines[0])) return 0;
    double best = kFar;
    for (const auto& line : lines) {
        if (line.size() == 1) best = std::min(best, std::hypot(x - line[0].x, y - line[0].y));
        for (size_t i = 1; i < line.size(); ++i) best = std::min(best, SegmentDistance(p, line[i - 1], line[i]));
    }
    return best;
}

bool InsideBox(const Entity& e, const std::map<int, Block>& blocks, double x1, double y1, double x2, double y2) {
    Bounds b;
    AddEntityBounds(e, blocks, Transform{}, b, 0);
    if (b.empty) return false;
    return b.xmin >= std::min(x1, x2) && b.xmax <= std::max(x1, x2) && b.ymin >= std::min(y1, y2) &&
           b.ymax <= std::max(y1, y2);
}

bool CrossesBox(const Entity& e, const std::map<int, Block>& blocks, double x1, double y1, double x2, double y2,
                int depth) {
    if (e.deleted) return false;
    const double xmin = std::min(x1, x2), xmax = std::max(x1, x2), ymin = std::min(y1, y2), ymax = std::max(y1, y2);
    if (e.kind == kBlockInsert) {
        auto it = blocks.find(WholeNumber(V(e, 0)));
        Transform place = InsertTransform(e), back;
        if (it == blocks.end() || depth >= kMaxBlockDepth || !place.Invert(back)) return false;
        // The content is tested where the insertion places it.
        for (const Entity& child : it->second.entities) {
            Entity placed = child;
            TransformEntity(placed, place);
            if (CrossesBox(placed, blocks, x1, y1, x2, y2, depth + 1)) return true;
        }
        return false;
    }
    auto inside = [&](Point2 p) { return p.x >= xmin && p.x <= xmax && p.y >= ymin && p.y <= ymax; };
    // Liang-Barsky: does segment a-b meet the box?
    auto meets = [&](Point2 a, Point2 b) {
        double t0 = 0, t1 = 1, dx = b.x - a.x, dy = b.y - a.y;
        const double p[4] = {-dx, dx, -dy, dy}, q[4] = {a.x - xmin, xmax - a.x, a.y - ymin, ymax - a.y};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0) return false;
                continue;
            }
            double r = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, r);
            else
                t1 = std::min(t1, r);
            if (t0 > t1) return false;
        }
        return true;
    };
    auto lines = Outline(e);
    for (const auto& line : lines) {
        if (line.size() == 1 && inside(line[0])) return true;
        for (size_t i = 1; i < line.size(); ++i)
            if (meets(line[i - 1], line[i])) return true;
    }
    // A filled shape around the whole box crosses it too.
    return IsFilledKind(e.kind) && lines.size() == 1 && lines[0].size() > 2 &&
           InsidePolygon({(xmin + xmax) / 2, (ymin + ymax) / 2}, lines[0]);
}

}  // namespace ckw::engine
