#include "Annotations.h"

#include <algorithm>
#include <cmath>

namespace tdwg {
namespace {

// A copy of the source entity as a further part of it: not counted again, its extended data
// kept on the first part only.
Entity Continuation(const Entity& e) {
    Entity more = e;
    more.kind.clear();
    more.xdata.clear();
    more.vertices.clear();
    more.closed = false;
    more.text.clear();
    more.block.clear();
    return more;
}

void Polyline(Entity& e, const std::vector<Point2>& points) {
    e.shape = Shape::Polyline;
    e.vertices.clear();
    for (const Point2& p : points) e.vertices.push_back({p.x, p.y});
}

// Moves the parts made into place: the first becomes `e`, the others follow in `more`.
void Place(std::vector<Entity>& parts, Entity& e, std::vector<Entity>& more, const char* emptyReason) {
    if (e.shape == Shape::Skip && !e.skipReason.empty()) return;  // left out already (paper space)
    if (parts.empty()) {
        e.shape = Shape::Skip;
        if (e.skipReason.empty()) e.skipReason = emptyReason;
        return;
    }
    std::string kind = std::move(e.kind);
    std::vector<XDataApp> xdata = std::move(e.xdata);
    e = std::move(parts.front());
    e.kind = std::move(kind), e.xdata = std::move(xdata);
    for (size_t i = 1; i < parts.size(); ++i) more.push_back(std::move(parts[i]));
}

void AddLeaderLine(const Entity& proto, const std::vector<Point2>& points, double arrowSize, std::vector<Entity>& out) {
    if (points.size() < 2) return;
    Entity line = Continuation(proto);
    Polyline(line, points);
    out.push_back(std::move(line));
    Entity arrow;
    if (Arrowhead(proto, points[0], points[1], arrowSize, arrow)) out.push_back(std::move(arrow));
}

}  // namespace

void MLinePolylines(const std::vector<MLineVertex>& vertices, bool closed, const std::vector<int>& colours, Entity& e,
                    std::vector<Entity>& more) {
    size_t elements = vertices.empty() ? 0 : vertices.front().offsets.size();
    for (const MLineVertex& v : vertices) elements = std::min(elements, v.offsets.size());
    std::vector<Entity> parts;
    for (size_t k = 0; k < elements && vertices.size() >= 2; ++k) {
        Entity part = Continuation(e);
        std::vector<Point2> points;
        for (const MLineVertex& v : vertices)
            points.push_back({v.at.x + v.miter.x * v.offsets[k], v.at.y + v.miter.y * v.offsets[k]});
        Polyline(part, points);
        part.closed = closed;
        if (k < colours.size() && colours[k] >= 1 && colours[k] <= 255) part.colour = colours[k], part.trueColour = -1;
        parts.push_back(std::move(part));
    }
    Place(parts, e, more, "multi-line without elements");
}

void MLineCaps(const std::vector<MLineVertex>& vertices, int styleFlags, int mlineFlags, const Entity& proto,
               std::vector<Entity>& out) {
    if (vertices.size() < 2 || (mlineFlags & 2)) return;
    auto cap = [&](const MLineVertex& v, const MLineVertex& inward, bool line, bool round) {
        if ((!line && !round) || v.offsets.empty()) return;
        const auto [low, high] = std::minmax_element(v.offsets.begin(), v.offsets.end());
        const Point2 a{v.at.x + v.miter.x * *high, v.at.y + v.miter.y * *high};
        const Point2 b{v.at.x + v.miter.x * *low, v.at.y + v.miter.y * *low};
        if (a.x == b.x && a.y == b.y) return;
        Entity part = Continuation(proto);
        Polyline(part, {a, b});
        if (round) {
            // A half circle bulging away from the multi-line: with bulge 1 (anticlockwise from a to
            // b) it lies to the right of a -> b.
            const double outX = v.at.x - inward.at.x, outY = v.at.y - inward.at.y;
            const double rightX = b.y - a.y, rightY = a.x - b.x;
            part.vertices[0].bulge = outX * rightX + outY * rightY >= 0 ? 1 : -1;
        }
        out.push_back(std::move(part));
    };
    cap(vertices.front(), vertices[1], !(mlineFlags & 4) && (styleFlags & 16), !(mlineFlags & 4) && (styleFlags & 64));
    cap(vertices.back(), vertices[vertices.size() - 2], !(mlineFlags & 8) && (styleFlags & 256),
        !(mlineFlags & 8) && (styleFlags & 1024));
}

bool Arrowhead(const Entity& proto, Point2 tip, Point2 from, double size, Entity& arrow) {
    const double dx = tip.x - from.x, dy = tip.y - from.y, length = std::hypot(dx, dy);
    if (!(size > 0) || !std::isfinite(size) || !(length > 0)) return false;
    const double ux = dx / length, uy = dy / length, half = size / 6;
    const Point2 base{tip.x - ux * size, tip.y - uy * size};
    arrow = Continuation(proto);
    arrow.shape = Shape::Trace;
    arrow.vertices = {{tip.x, tip.y},
                      {tip.x, tip.y},
                      {base.x + uy * half, base.y - ux * half},
                      {base.x - uy * half, base.y + ux * half}};
    return true;
}

void LeaderLine(const std::vector<Point2>& points, double arrowSize, Entity& e, std::vector<Entity>& more) {
    std::vector<Entity> parts;
    AddLeaderLine(e, points, arrowSize, parts);
    Place(parts, e, more, "polyline without vertices");
}

void MultiLeader(const MultiLeaderParts& m, Entity& e, std::vector<Entity>& more) {
    std::vector<Entity> parts;
    for (const MultiLeaderParts::Branch& b : m.branches) {
        if (!m.drawLines) break;
        for (std::vector<Point2> line : b.lines) {
            if (b.hasLanding) line.push_back(b.landing);
            AddLeaderLine(e, line, m.arrowSize, parts);
        }
        if (b.hasLanding && b.doglegLength > 0) {
            Entity dogleg = Continuation(e);
            const Point2 end{b.landing.x + b.doglegDirection.x * b.doglegLength,
                             b.landing.y + b.doglegDirection.y * b.doglegLength};
            Polyline(dogleg, {b.landing, end});
            parts.push_back(std::move(dogleg));
        }
    }
    if (m.hasText && !m.text.empty()) {
        Entity text = Continuation(e);
        text.shape = Shape::MText;
        text.text = m.text;
        text.x = m.textAt.x, text.y = m.textAt.y;
        text.height = m.textHeight, text.angleDeg = m.textAngleDeg;
        const int a = (m.attachment >= 1 && m.attachment <= 9 ? m.attachment : 1) - 1;
        text.hAlign = a % 3, text.vAlign = 3 - a / 3;
        parts.push_back(std::move(text));
    }
    if (m.hasBlock && !m.block.empty()) {
        Entity insert = Continuation(e);
        insert.shape = Shape::Insert;
        insert.block = m.block;
        insert.x = m.blockAt.x, insert.y = m.blockAt.y;
        insert.sx = m.blockSx, insert.sy = m.blockSy, insert.angleDeg = m.blockAngleDeg;
        parts.push_back(std::move(insert));
    }
    Place(parts, e, more, "multi-leader without lines or content");
}

double LeaderArrowSize(const std::vector<XDataApp>& xdata, double defaultSize, double defaultScale) {
    double size = defaultSize, scale = defaultScale;
    for (const XDataApp& app : xdata) {
        if (app.name != "ACAD" || app.values.empty() || app.values[0].s != "DSTYLE") continue;
        // Pairs of an integer group number and its value.
        for (size_t i = 1; i + 1 < app.values.size(); ++i) {
            const XDataValue &key = app.values[i], &value = app.values[i + 1];
            if (key.type != XDataValue::Type::Int || value.type != XDataValue::Type::Real) continue;
            if (key.i == 41) size = value.r;
            if (key.i == 40) scale = value.r;
        }
    }
    if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
    return std::isfinite(size) && size > 0 ? size * scale : 0;
}

}  // namespace tdwg
