#include "SnapFinder.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ckw::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Rad(double degrees) { return degrees * kPi / 180.0; }
double Deg(double radians) { return radians * 180.0 / kPi; }
float V(const Entity& e, size_t i) { return i < e.values.size() ? e.values[i] : 0.0f; }
double Distance(Point2 a, Point2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

// A straight piece of an outline, or an arc of it (anticlockwise from `start` over `sweep`
// degrees; a circle sweeps 360).
struct Piece {
    bool arc = false;
    Point2 a, b;
    Point2 centre;
    double radius = 0, start = 0, sweep = 0;
    size_t entity = 0;  // the top-level entity reported
    int source = 0;     // the entity or block content it belongs to: crossings are of different ones
};

bool OnArc(const Piece& p, double degrees) {
    if (p.sweep >= 360) return true;
    double from = std::fmod(degrees - p.start, 360.0);
    if (from < 0) from += 360;
    return from <= p.sweep + 1e-9;
}

Point2 ArcPoint(const Piece& p, double degrees) {
    return {p.centre.x + p.radius * std::cos(Rad(degrees)), p.centre.y + p.radius * std::sin(Rad(degrees))};
}

Point2 ClosestOn(const Piece& p, Point2 q) {
    if (!p.arc) {
        const double dx = p.b.x - p.a.x, dy = p.b.y - p.a.y, len2 = dx * dx + dy * dy;
        const double u = len2 > 0 ? std::clamp(((q.x - p.a.x) * dx + (q.y - p.a.y) * dy) / len2, 0.0, 1.0) : 0;
        return {p.a.x + u * dx, p.a.y + u * dy};
    }
    const double towards = Deg(std::atan2(q.y - p.centre.y, q.x - p.centre.x));
    if (OnArc(p, towards)) return ArcPoint(p, towards);
    const Point2 s = ArcPoint(p, p.start), e = ArcPoint(p, p.start + p.sweep);
    return Distance(q, s) <= Distance(q, e) ? s : e;
}

// Where the pieces cross (none, one or two points).
std::vector<Point2> Crossings(const Piece& p, const Piece& q) {
    std::vector<Point2> out;
    if (!p.arc && !q.arc) {
        const double rx = p.b.x - p.a.x, ry = p.b.y - p.a.y, sx = q.b.x - q.a.x, sy = q.b.y - q.a.y;
        const double den = rx * sy - ry * sx;
        if (std::abs(den) < 1e-12 * (std::hypot(rx, ry) * std::hypot(sx, sy) + 1e-300)) return out;  // parallel
        const double t = ((q.a.x - p.a.x) * sy - (q.a.y - p.a.y) * sx) / den;
        const double u = ((q.a.x - p.a.x) * ry - (q.a.y - p.a.y) * rx) / den;
        constexpr double kSlack = 1e-9;
        if (t >= -kSlack && t <= 1 + kSlack && u >= -kSlack && u <= 1 + kSlack)
            out.push_back({p.a.x + t * rx, p.a.y + t * ry});
        return out;
    }
    if (p.arc && !q.arc) return Crossings(q, p);
    if (!p.arc) {
        // A segment and a circle: a + t (b - a) at distance r from the centre.
        const double dx = p.b.x - p.a.x, dy = p.b.y - p.a.y, fx = p.a.x - q.centre.x, fy = p.a.y - q.centre.y;
        const double a = dx * dx + dy * dy, b = 2 * (fx * dx + fy * dy), c = fx * fx + fy * fy - q.radius * q.radius;
        const double disc = b * b - 4 * a * c;
        if (a == 0 || disc < 0) return out;
        for (double sign : {-1.0, 1.0}) {
            const double t = (-b + sign * std::sqrt(disc)) / (2 * a);
            if (t < -1e-9 || t > 1 + 1e-9) continue;
            const Point2 at{p.a.x + t * dx, p.a.y + t * dy};
            if (OnArc(q, Deg(std::atan2(at.y - q.centre.y, at.x - q.centre.x)))) out.push_back(at);
            if (disc == 0) break;
        }
        return out;
    }
    // Two circles.
    const double d = Distance(p.centre, q.centre);
    if (d == 0 || d > p.radius + q.radius || d < std::abs(p.radius - q.radius)) return out;
    const double along = (p.radius * p.radius - q.radius * q.radius + d * d) / (2 * d);
    const double h = std::sqrt(std::max(0.0, p.radius * p.radius - along * along));
    const double ux = (q.centre.x - p.centre.x) / d, uy = (q.centre.y - p.centre.y) / d;
    const Point2 mid{p.centre.x + along * ux, p.centre.y + along * uy};
    for (double sign : {-1.0, 1.0}) {
        const Point2 at{mid.x - sign * h * uy, mid.y + sign * h * ux};
        auto angle = [&](const Piece& c) { return Deg(std::atan2(at.y - c.centre.y, at.x - c.centre.x)); };
        if (OnArc(p, angle(p)) && OnArc(q, angle(q))) out.push_back(at);
        if (h == 0) break;
    }
    return out;
}

// The candidates of the entities near the cursor, and the pieces of their outlines.
class Gatherer {
public:
    Gatherer(const Drawing& d, const SnapQuery& q) : m_drawing(d), m_query(q) {}

    void Entity(const engine::Entity& e, size_t index, int depth) {
        m_entity = index;
        ++m_source;
        switch (e.kind) {
        case kPoint:
            Offer(SnapKind::Node, {V(e, 0), V(e, 1)});
            break;
        case kLine:
            Segment({V(e, 0), V(e, 1)}, {V(e, 2), V(e, 3)}, true);
            break;
        case kPolyline:
            Polyline(e);
            break;
        case kCircle:
        case kCore:
            Arc({V(e, 0), V(e, 1)}, V(e, 2), 0, 360, false);
            break;
        case kArc: {
            double sweep = double(V(e, 4)) - V(e, 3);
            if (sweep <= 0) sweep = std::fmod(sweep, 360.0) + 360;
            Arc({V(e, 0), V(e, 1)}, V(e, 2), V(e, 3), std::min(sweep, 360.0), true);
            break;
        }
        case kRectangle:
        case kTrace:
        case kFilledPolygon:
            for (const auto& line : Outline(e))
                for (size_t i = 0; i + 1 < line.size(); ++i) Segment(line[i], line[i + 1], true);
            break;
        case kChineseText:
        case kWesternText:
        case kMultilineText:
            Offer(SnapKind::Insertion, {V(e, 2), V(e, 3)});
            break;
        case kDimension:
            for (size_t i : {2, 4, 6}) Offer(SnapKind::Node, {V(e, i), V(e, i + 1)});
            break;
        case kBlockInsert:
            Offer(SnapKind::Insertion, {V(e, 1), V(e, 2)});
            Block(e, index, depth);
            break;
        default:
            break;
        }
    }

    // Crossings of pieces of different entities, then the perpendicular feet and nearest points.
    void Finish() {
        const Point2 cursor{m_query.x, m_query.y};
        if (Wanted(SnapKind::Intersection))
            for (size_t i = 0; i < m_pieces.size(); ++i)
                for (size_t k = i + 1; k < m_pieces.size(); ++k) {
                    if (m_pieces[i].source == m_pieces[k].source) continue;
                    m_entity = m_pieces[i].entity;
                    for (Point2 at : Crossings(m_pieces[i], m_pieces[k])) Offer(SnapKind::Intersection, at);
                }
        for (const Piece& p : m_pieces) {
            m_entity = p.entity;
            if (Wanted(SnapKind::Perpendicular) && m_query.from) Perpendicular(p, *m_query.from);
            if (Wanted(SnapKind::Nearest)) Offer(SnapKind::Nearest, ClosestOn(p, cursor));
        }
    }

    const std::optional<Snap>& Best() const { return m_best; }

private:
    bool Wanted(SnapKind kind) const { return (m_query.kinds & SnapBit(kind)) != 0; }

    // `reach`: how far the snap counts as lying from the cursor (negative: where it is).
    void Offer(SnapKind kind, Point2 at, double reach = -1) {
        if (!Wanted(kind) || !std::isfinite(at.x) || !std::isfinite(at.y)) return;
        const double distance = reach >= 0 ? reach : std::hypot(at.x - m_query.x, at.y - m_query.y);
        if (distance > m_query.within) return;
        // Nearest is the last resort; otherwise the closest, a tie going to the kind listed first.
        auto rank = [](SnapKind k) { return k == SnapKind::Nearest ? 1 : 0; };
        if (m_best) {
            const int was = rank(m_best->kind), now = rank(kind);
            if (now != was ? now > was
                           : distance > m_bestDistance || (distance == m_bestDistance && kind >= m_best->kind))
                return;
        }
        m_best = Snap{kind, at.x, at.y, m_entity};
        m_bestDistance = distance;
    }

    // Only the pieces that come within reach of the cursor take part in crossings and feet.
    void AddPiece(const Piece& p) {
        const Point2 cursor{m_query.x, m_query.y};
        if (Distance(ClosestOn(p, cursor), cursor) <= m_query.within) m_pieces.push_back(p);
    }

    void Segment(Point2 a, Point2 b, bool ends) {
        if (ends) {
            Offer(SnapKind::Endpoint, a);
            Offer(SnapKind::Endpoint, b);
        }
        Offer(SnapKind::Midpoint, {(a.x + b.x) / 2, (a.y + b.y) / 2});
        Piece p;
        p.a = a;
        p.b = b;
        p.entity = m_entity;
        p.source = m_source;
        AddPiece(p);
    }

    void Arc(Point2 centre, double radius, double start, double sweep, bool ends) {
        if (!(radius > 0)) return;
        Piece p;
        p.arc = true;
        p.centre = centre;
        p.radius = radius;
        p.start = start;
        p.sweep = sweep;
        p.entity = m_entity;
        p.source = m_source;
        // Asked for alone (the one kind picked for the next point), a centre is found from anywhere
        // on the outline too, as it may lie far from what the person points at.
        const Point2 cursor{m_query.x, m_query.y};
        const double over = Distance(ClosestOn(p, cursor), cursor);
        Offer(SnapKind::Centre, centre,
              m_query.kinds == SnapBit(SnapKind::Centre) ? std::min(over, Distance(centre, cursor)) : -1);
        if (ends) {
            Offer(SnapKind::Endpoint, ArcPoint(p, start));
            Offer(SnapKind::Endpoint, ArcPoint(p, start + sweep));
        }
        if (sweep < 360) Offer(SnapKind::Midpoint, ArcPoint(p, start + sweep / 2));
        AddPiece(p);
    }

    void Polyline(const engine::Entity& e) {
        const int n = PolylineVertexCount(e);
        const bool closed = V(e, 1) != 0;
        auto vertex = [&](int i, size_t field) {
            return V(e, 2 + static_cast<size_t>(i) * kPolylineVertexValues + field);
        };
        for (int i = 0; i < n; ++i) Offer(SnapKind::Endpoint, {vertex(i, 0), vertex(i, 1)});
        const int segments = closed ? n : n - 1;
        for (int i = 0; i < segments; ++i) {
            const Point2 p{vertex(i, 0), vertex(i, 1)}, q{vertex((i + 1) % n, 0), vertex((i + 1) % n, 1)};
            const double h = vertex(i, 2), c = Distance(p, q);
            if (h == 0 || c == 0 || !std::isfinite(h)) {
                Segment(p, q, false);
                continue;
            }
            // The arc's middle lies h to the right of p->q; it runs anticlockwise for h > 0.
            const double r = (c * c / 4 + h * h) / (2 * std::abs(h));
            const double nx = (q.y - p.y) / c, ny = -(q.x - p.x) / c, sign = h > 0 ? 1 : -1;
            const Point2 mid{(p.x + q.x) / 2, (p.y + q.y) / 2};
            const Point2 centre{mid.x + nx * sign * (std::abs(h) - r), mid.y + ny * sign * (std::abs(h) - r)};
            const double a0 = Deg(std::atan2(p.y - centre.y, p.x - centre.x));
            const double a1 = Deg(std::atan2(q.y - centre.y, q.x - centre.x));
            const double from = h > 0 ? a0 : a1, to = h > 0 ? a1 : a0;
            double sweep = std::fmod(to - from, 360.0);
            if (sweep <= 0) sweep += 360;
            Arc(centre, r, from, sweep, false);
        }
    }

    void Block(const engine::Entity& insert, size_t index, int depth) {
        if (depth >= kMaxBlockDepth) return;
        const auto& blocks = m_drawing.Blocks();
        auto it = blocks.find(WholeNumber(V(insert, 0)));
        if (it == blocks.end()) return;
        const Transform place = InsertTransform(insert);
        Transform back;
        if (!place.Invert(back)) return;
        // Only the content within reach of the cursor is placed and looked at: a block may hold a
        // whole imported drawing. The reach in the block's units allows for unequal scales.
        double lx, ly;
        back.Apply(m_query.x, m_query.y, lx, ly);
        const double reach =
            m_query.within * std::sqrt(back.a * back.a + back.b * back.b + back.c * back.c + back.d * back.d);
        for (const engine::Entity& child : it->second.entities) {
            if (child.deleted) continue;
            Bounds box;
            AddEntityBounds(child, blocks, Transform{}, box, depth + 1);
            if (box.empty || box.xmin - reach > lx || box.xmax + reach < lx || box.ymin - reach > ly ||
                box.ymax + reach < ly)
                continue;
            engine::Entity placed = child;
            TransformEntity(placed, place);
            Entity(placed, index, depth + 1);
        }
        m_entity = index;
    }

    void Perpendicular(const Piece& p, Point2 from) {
        if (!p.arc) {
            const double dx = p.b.x - p.a.x, dy = p.b.y - p.a.y, len2 = dx * dx + dy * dy;
            if (len2 == 0) return;
            const double u = ((from.x - p.a.x) * dx + (from.y - p.a.y) * dy) / len2;
            if (u >= 0 && u <= 1) Offer(SnapKind::Perpendicular, {p.a.x + u * dx, p.a.y + u * dy});
            return;
        }
        const double towards = Deg(std::atan2(from.y - p.centre.y, from.x - p.centre.x));
        for (double degrees : {towards, towards + 180})
            if (OnArc(p, degrees)) Offer(SnapKind::Perpendicular, ArcPoint(p, degrees));
    }

    const Drawing& m_drawing;
    const SnapQuery& m_query;
    size_t m_entity = 0;
    int m_source = 0;
    std::vector<Piece> m_pieces;
    std::optional<Snap> m_best;
    double m_bestDistance = 0;
};

}  // namespace

std::optional<Snap> SnapFinder::Find(const Drawing& drawing, const SnapQuery& query) const {
    if (query.kinds == 0 || !(query.within > 0) || !std::isfinite(query.x) || !std::isfinite(query.y)) return {};
    Gatherer gather(drawing, query);
    const auto& entities = drawing.Entities();
    for (size_t i : m_index.Near(query.x, query.y, query.within)) {
        if (i >= entities.size() || entities[i].deleted || !IsDrawnKind(entities[i].kind)) continue;
        gather.Entity(entities[i], i, 0);
    }
    gather.Finish();
    return gather.Best();
}

}  // namespace ckw::engine
