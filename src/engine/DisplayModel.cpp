// The display model: each entity turned into the primitives every painter draws.
#include "DisplayModel.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "base/GbkText.h"

namespace ckw::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kColourByLayer = 256;

float V(const Entity& e, size_t i) { return i < e.values.size() ? e.values[i] : 0.0f; }

bool Drawn(const Entity& e) { return !e.deleted && IsDrawnKind(e.kind); }

// Text entities (and a dimension's label) laid out as their lines.
Primitive TextPrimitive(const Entity& e, const DisplayPen& pen, const std::string& gbk) {
    Primitive p;
    p.kind = Primitive::Kind::Text;
    p.pen = pen;
    double h = V(e, 0), w = V(e, 1);
    p.points = {{V(e, 2), V(e, 3)}};
    p.height = h;
    p.angle = V(e, 4);
    int ha = WholeNumber(V(e, 5)), va = WholeNumber(V(e, 6));
    p.anchor = ha == 102 ? 1 : ha == 103 ? 2 : 0;
    std::vector<std::string> lines;
    if (e.kind == kMultilineText) {
        std::istringstream in(gbk);
        std::string line;
        while (std::getline(in, line)) lines.push_back(line);
    } else {
        lines.push_back(gbk);
    }
    if (lines.empty()) lines.emplace_back();
    double spacing = e.kind == kMultilineText && V(e, 7) > 0 ? V(e, 7) : 1.5 * h;
    double top = va == 103 ? h : va == 102 ? h / 2 - (lines.size() - 1) * spacing / 2 : 0;
    if (e.kind == kMultilineText && va != 102 && va != 103) top = -(lines.size() - 1) * spacing;
    for (size_t i = 0; i < lines.size(); ++i)
        p.lines.push_back({ckw::text::GbkToUtf8(lines[i]), top + i * spacing, TextWidthUnits(lines[i]) * w / 2});
    return p;
}

Primitive Path(const DisplayPen& pen, std::vector<Point2> points) {
    Primitive p;
    p.kind = Primitive::Kind::Path;
    p.pen = pen;
    p.points = std::move(points);
    return p;
}

// What each kind of entity becomes on the screen and on paper.

void AddDot(const Entity& e, const DisplayPen& pen, std::vector<Primitive>& out) {
    Primitive p;
    p.kind = Primitive::Kind::Dot;
    p.pen = pen;
    p.points = {{V(e, 0), V(e, 1)}};
    out.push_back(std::move(p));
}

// A polyline of one width is one path; one whose vertices change width is a path per segment.
void AddPolyline(const Entity& e, const DisplayPen& pen, std::vector<Primitive>& out) {
    int n = PolylineVertexCount(e);
    bool closed = V(e, 1) != 0;
    auto vertex = [&](int i) {
        size_t b = 2 + static_cast<size_t>(i) * kPolylineVertexValues;
        return Point2{V(e, b), V(e, b + 1)};
    };
    auto width = [&](int i) {
        size_t b = 2 + static_cast<size_t>(i) * kPolylineVertexValues;
        double start = V(e, b + 3), end = V(e, b + 4);
        return end > 0 ? (start + end) / 2 : start;
    };
    bool constant = true;
    for (int i = 1; i < n; ++i) constant = constant && width(i) == width(0);
    if (constant) {
        auto outline = Outline(e);
        if (outline.empty()) return;
        Primitive p = Path(pen, std::move(outline[0]));
        p.pen.width = n ? width(0) : 0;
        out.push_back(std::move(p));
        return;
    }
    int segments = closed ? n : n - 1;
    for (int i = 0; i < segments; ++i) {
        Primitive p = Path(pen, BulgePoints(vertex(i), vertex((i + 1) % n),
                                            V(e, 2 + static_cast<size_t>(i) * kPolylineVertexValues + 2)));
        p.pen.width = width(i);
        out.push_back(std::move(p));
    }
}

void AddCircle(const Entity& e, const DisplayPen& pen, std::vector<Primitive>& out) {
    Primitive p;
    p.kind = e.kind == kCircle ? Primitive::Kind::Circle : Primitive::Kind::Disc;
    p.pen = pen;
    p.points = {{V(e, 0), V(e, 1)}};
    p.radius = V(e, 2);
    out.push_back(std::move(p));
}

void AddFilledOutline(const Entity& e, const DisplayPen& pen, std::vector<Primitive>& out) {
    auto outline = Outline(e);
    if (outline.empty()) return;
    Primitive p = Path(pen, std::move(outline[0]));
    p.kind = Primitive::Kind::Polygon;
    p.hollow = e.kind == kFilledPolygon && WholeNumber(V(e, 1)) == 32;
    out.push_back(std::move(p));
}

void AddText(const Entity& e, const DisplayPen& pen, std::vector<Primitive>& out) {
    out.push_back(TextPrimitive(e, pen, e.text));
}

void AddDimension(const Entity& e, const DisplayPen& pen, std::vector<Primitive>& out) {
    auto lines = Outline(e);
    for (const auto& line : lines) out.push_back(Path(pen, line));
    if (lines.size() < 3) return;
    // The label stands a little above the dimension line, upright.
    const auto& dim = lines[2];
    double length = std::hypot(V(e, 4) - V(e, 2), V(e, 5) - V(e, 3));
    double angle = std::atan2(dim[1].y - dim[0].y, dim[1].x - dim[0].x) * 180 / kPi;
    if (angle > 90 || angle <= -90) angle += 180;
    double rad = angle * kPi / 180, gap = 0.3 * V(e, 0);
    Entity label = e;
    label.values = {V(e, 0),
                    V(e, 1),
                    float((dim[0].x + dim[1].x) / 2 - gap * std::sin(rad)),
                    float((dim[0].y + dim[1].y) / 2 + gap * std::cos(rad)),
                    float(angle),
                    102,
                    101};
    out.push_back(TextPrimitive(label, pen, e.text.empty() ? FormatNumber(std::round(length)) : e.text));
}

void AddInsert(const Entity& e, const DisplayPen& pen, std::vector<Primitive>& out) {
    Primitive p;
    p.kind = Primitive::Kind::Insert;
    p.pen = pen;
    p.block = WholeNumber(V(e, 0));
    p.place = InsertTransform(e);
    out.push_back(std::move(p));
}

// Lines, rectangles, arcs and kinds a newer writer added: their outlines as paths.
void AddOutlines(const Entity& e, const DisplayPen& pen, std::vector<Primitive>& out) {
    for (auto& line : Outline(e)) out.push_back(Path(pen, std::move(line)));
}

}  // namespace

std::string FormatNumber(double v) {
    if (!std::isfinite(v)) v = 0;
    return ckw::text::FormatGeneral(v, 6);
}

std::vector<double> DashPattern(const std::vector<float>& dashes, double dot) {
    std::vector<double> pattern;
    for (float v : dashes) {
        if (!std::isfinite(v)) continue;
        bool gap = v < 0;
        double length = v == 0 ? dot : std::abs(v);
        if (pattern.empty() && gap) pattern.push_back(0);
        bool slotIsGap = pattern.size() % 2 == 1;
        if (gap == slotIsGap)
            pattern.push_back(length);
        else
            pattern.back() += length;
    }
    double total = 0;
    for (double v : pattern) total += v;
    if (pattern.empty() || !(total > 0)) return {};
    if (pattern.size() % 2 == 1) pattern.push_back(0);
    return pattern;
}

DisplayModel::DisplayModel(const Drawing& d) : DisplayModel(Started(d)) { Continue(d.Entities().size()); }

DisplayModel DisplayModel::Started(const Drawing& d) {
    DisplayModel m;
    m.m_drawing = &d;
    for (size_t index : d.LayerEntries())
        if (auto layer = d.Layer(d.Entities()[index].attributes[0])) m.m_layerColours[layer->number] = layer->colour;
    m.m_dashes[1] = {};
    for (int type = 2; type < 100; ++type)
        if (auto dashes = d.LineTypeDashes(type); !dashes.empty()) m.m_dashes[type] = std::move(dashes);
    for (const auto& [number, block] : d.Blocks()) {
        auto& list = m.m_blocks[number];
        for (const Entity& e : block.entities) m.AddEntity(e, list);
    }
    std::optional<int> previous;  // entities come in runs on one layer
    for (const Entity& e : d.Entities())
        if (Drawn(e) && previous != e.Layer()) m.m_layers.insert(*(previous = e.Layer()));
    m.m_items.reserve(d.Entities().size());
    m.m_hasExtents = d.Extents(m.m_extents);
    return m;
}

bool DisplayModel::Continue(size_t entities) {
    if (!m_drawing) return true;
    const auto& all = m_drawing->Entities();
    const size_t end = m_next + std::min(entities, all.size() - m_next);
    for (; m_next < end; ++m_next) AddEntity(all[m_next], m_items);
    m_count = m_items.size();
    return Complete();
}

double DisplayModel::Progress() const {
    return Complete() ? 1.0 : double(m_next) / double(m_drawing->Entities().size());
}

bool DisplayModel::Extents(std::array<float, 4>& box) const {
    if (m_hasExtents) box = m_extents;
    return m_hasExtents;
}

const std::vector<float>& DisplayModel::Dashes(int lineType) const {
    auto it = m_dashes.find(lineType);
    return it == m_dashes.end() ? m_dashes.at(1) : it->second;
}

void DisplayModel::AddEntity(const Entity& e, std::vector<Primitive>& out) const {
    if (!Drawn(e)) return;
    DisplayPen pen;
    pen.layer = e.Layer();
    pen.lineType = e.LineType();
    pen.widthCode = e.WidthCode();
    pen.colour = e.Colour();
    if (pen.colour == kColourByLayer) {
        auto it = m_layerColours.find(pen.layer);
        pen.colour = it == m_layerColours.end() ? 7 : it->second;
    }
    if (pen.colour <= 0 || pen.colour > 255) pen.colour = 7;
    switch (e.kind) {
    case kPoint:
        return AddDot(e, pen, out);
    case kPolyline:
        return AddPolyline(e, pen, out);
    case kCircle:
    case kCore:
        return AddCircle(e, pen, out);
    case kTrace:
    case kFilledPolygon:
        return AddFilledOutline(e, pen, out);
    case kChineseText:
    case kWesternText:
    case kMultilineText:
        return AddText(e, pen, out);
    case kDimension:
        return AddDimension(e, pen, out);
    case kBlockInsert:
        return AddInsert(e, pen, out);
    default:
        return AddOutlines(e, pen, out);
    }
}

}  // namespace ckw::engine
