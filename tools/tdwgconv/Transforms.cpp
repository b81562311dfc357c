#include "Transforms.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "Curves.h"
#include "base/GbkText.h"

namespace tdwg {

std::vector<Entity> InsertArray(Entity& first, int columns, int rows, double columnSpacing, double rowSpacing) {
    std::vector<Entity> copies;
    columns = std::max(columns, 1), rows = std::max(rows, 1);
    if (columns == 1 && rows == 1) return copies;
    if (static_cast<long>(columns) * rows > kMaxArrayCopies) {
        first.shape = Shape::Skip;
        first.skipReason = "array insert of more copies than a drawing holds";
        return copies;
    }
    const double a = first.angleDeg * M_PI / 180, c = std::cos(a), s = std::sin(a);
    Entity proto = first;
    proto.kind.clear();  // part of the insert above: not counted again
    proto.xdata.clear();
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            if (row == 0 && column == 0) continue;
            const double u = column * columnSpacing, v = row * rowSpacing;
            Entity copy = proto;
            copy.x += u * c - v * s, copy.y += u * s + v * c;
            copies.push_back(std::move(copy));
        }
    return copies;
}

namespace {

struct Axes {
    double ax, ay;  // the object x axis in the drawing's plane
    double bx, by;  // the object y axis
    bool mirrored;  // the plane seen from below
    bool tilted;    // not parallel to the drawing's plane: circles are no longer circles
};

// The arbitrary-axis rule: the object x axis is Wy x N when N is near the world Z axis, else
// Wz x N; the y axis is N x Ax.
Axes AxesOf(double nx, double ny, double nz) {
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    nx /= len, ny /= len, nz /= len;
    double ax, ay, az;
    if (std::abs(nx) < 1.0 / 64 && std::abs(ny) < 1.0 / 64)
        ax = nz, ay = 0, az = -nx;  // (0,1,0) x N
    else
        ax = -ny, ay = nx, az = 0;  // (0,0,1) x N
    const double alen = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= alen, ay /= alen, az /= alen;
    const double bx = ny * az - nz * ay, by = nz * ax - nx * az;
    return {ax, ay, bx, by, nz<0, std::abs(std::abs(nz) - 1)> 1e-9};
}

void Map(const Axes& m, double& x, double& y) {
    const double u = x, v = y;
    x = u * m.ax + v * m.bx, y = u * m.ay + v * m.by;
}

// Direction `deg` of the object plane, in the drawing's plane.
double MapAngle(const Axes& m, double deg) {
    double x = std::cos(deg * M_PI / 180), y = std::sin(deg * M_PI / 180);
    Map(m, x, y);
    return std::atan2(y, x) * 180 / M_PI;
}

// A polyline's bulged segments as chords (for a tilted plane, where arcs become ellipses).
std::vector<Vertex> WithoutBulges(const std::vector<Vertex>& in, bool closed) {
    std::vector<Vertex> out;
    for (size_t i = 0; i < in.size(); ++i) {
        const Vertex& v = in[i];
        const bool hasNext = i + 1 < in.size() || closed;
        if (v.bulge == 0 || !hasNext) {
            out.push_back({v.x, v.y, 0, v.startWidth, v.endWidth});
            continue;
        }
        const Vertex& n = in[(i + 1) % in.size()];
        // The centre lies on the chord's left normal (right for clockwise), (1 - b^2) / 2b half chords away.
        const double sweep = 4 * std::atan(v.bulge), dx = n.x - v.x, dy = n.y - v.y;
        const double off = (1 - v.bulge * v.bulge) / (4 * v.bulge);
        const double cx = (v.x + n.x) / 2 - dy * off, cy = (v.y + n.y) / 2 + dx * off;
        const double r = std::hypot(v.x - cx, v.y - cy), t0 = std::atan2(v.y - cy, v.x - cx);
        std::vector<Vertex> arc = EllipseVertices(cx, cy, r, 0, 1, std::min(t0, t0 + sweep), std::max(t0, t0 + sweep));
        if (sweep < 0) std::reverse(arc.begin(), arc.end());
        if (!arc.empty()) arc.pop_back();  // the next vertex follows
        for (Vertex& p : arc) p.startWidth = p.endWidth = v.startWidth;
        out.insert(out.end(), arc.begin(), arc.end());
    }
    return out;
}

}  // namespace

void ToWorld(Entity& e) {
    if (e.nx == 0 && e.ny == 0 && e.nz == 1) return;
    if (!std::isfinite(e.nx) || !std::isfinite(e.ny) || !std::isfinite(e.nz) ||
        e.nx * e.nx + e.ny * e.ny + e.nz * e.nz < 1e-24)
        return;  // no direction: taken as +Z
    const Axes m = AxesOf(e.nx, e.ny, e.nz);
    e.nx = 0, e.ny = 0, e.nz = 1;
    switch (e.shape) {
    case Shape::Circle:
    case Shape::Arc:
        if (m.tilted) {
            const bool circle = e.shape == Shape::Circle;
            double t0 = circle ? 0 : e.startDeg * M_PI / 180, t1 = circle ? 2 * M_PI : e.endDeg * M_PI / 180;
            while (t1 <= t0) t1 += 2 * M_PI;
            e.vertices = EllipseVertices(e.cx, e.cy, e.radius, 0, 1, t0, t1);
            e.shape = Shape::Polyline;
            e.closed = circle;
            for (Vertex& v : e.vertices) Map(m, v.x, v.y);
            return;
        }
        Map(m, e.cx, e.cy);
        if (e.shape == Shape::Arc) {
            double a = MapAngle(m, e.startDeg), b = MapAngle(m, e.endDeg);
            if (m.mirrored) std::swap(a, b);
            e.startDeg = a, e.endDeg = b;
        }
        return;
    case Shape::Polyline:
    case Shape::Trace:
        if (m.tilted) e.vertices = WithoutBulges(e.vertices, e.closed);
        for (Vertex& v : e.vertices) {
            Map(m, v.x, v.y);
            if (m.mirrored) v.bulge = -v.bulge;
        }
        return;
    case Shape::Insert:
        if (m.mirrored) e.sy = -e.sy;
        [[fallthrough]];
    case Shape::Text:
    case Shape::MText:
    case Shape::Point:
        Map(m, e.x, e.y);
        e.angleDeg = MapAngle(m, e.angleDeg);
        return;
    default:
        return;
    }
}

void ToWorld(Drawing& d) {
    for (Entity& e : d.entities) ToWorld(e);
    for (Block& b : d.blocks)
        for (Entity& e : b.entities) ToWorld(e);
}

void SpanText(Entity& e, double x2, double y2, bool keepHeight) {
    const double dx = x2 - e.x, dy = y2 - e.y, distance = std::hypot(dx, dy);
    size_t characters = 0;
    for (size_t i = 0; i < e.text.size(); i += ckw::text::CharLength(e.text, i)) ++characters;
    if (distance == 0 || characters == 0 || !std::isfinite(distance) || e.height <= 0) return;
    e.angleDeg = std::atan2(dy, dx) * 180 / M_PI;
    e.hAlign = 0, e.vAlign = 0;
    const double width = distance / static_cast<double>(characters);
    if (keepHeight)
        e.widthFactor = width / e.height;
    else
        e.height = width / e.widthFactor;
}

}  // namespace tdwg
