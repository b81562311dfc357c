#include "Shift.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "DrawingShift.h"
#include "base/GbkText.h"

namespace tdwg {
namespace {

constexpr double kMetreMm = 1000, kKilometreMm = 1e6;
// Blocks inserted deeper than this are left out of the extents (and a block that inserts itself).
constexpr int kMaxNesting = 16;

struct Box {
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    void Take(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
    }
    bool Empty() const { return minX > maxX; }
    double MiddleX() const { return (minX + maxX) / 2; }
    double MiddleY() const { return (minY + maxY) / 2; }
};

// The positions an entity is written at: its points, vertices, centre or insertion point.
template <class Take>
void ForEachPosition(const Entity& e, Take&& take) {
    switch (e.shape) {
    case Shape::Point:
    case Shape::Text:
    case Shape::MText:
    case Shape::Insert:
        take(e.x, e.y);
        break;
    case Shape::Line:
    case Shape::Polyline:
    case Shape::Trace:
        for (const Vertex& v : e.vertices) take(v.x, v.y);
        break;
    case Shape::Circle:
    case Shape::Arc:
        take(e.cx, e.cy);
        break;
    case Shape::Skip:
        break;
    }
}

// Where entities lie, an insertion by the corners of its block's extents as it places them.
class Extents {
public:
    explicit Extents(const Drawing& d) {
        for (const Block& b : d.blocks) m_blocks.emplace(ckw::text::NameKey(b.name), &b);
    }

    Box Of(const std::vector<Entity>& list, int depth = 0) {
        Box box;
        for (const Entity& e : list) Take(box, e, depth);
        return box;
    }

    // A block's contents relative to its base point.
    Box OfBlock(const std::string& key, int depth = 0) {
        if (auto it = m_boxes.find(key); it != m_boxes.end()) return it->second;
        auto block = m_blocks.find(key);
        Box box;
        if (block != m_blocks.end() && depth < kMaxNesting) {
            const Box inner = Of(block->second->entities, depth + 1);
            if (!inner.Empty()) {
                const double bx = block->second->baseX, by = block->second->baseY;
                box = {inner.minX - bx, inner.minY - by, inner.maxX - bx, inner.maxY - by};
            }
        }
        return m_boxes[key] = box;
    }

private:
    void Take(Box& box, const Entity& e, int depth) {
        const Box inner = e.shape == Shape::Insert ? OfBlock(ckw::text::NameKey(e.block), depth) : Box();
        if (!inner.Empty()) {
            const double a = e.angleDeg * M_PI / 180, c = std::cos(a), s = std::sin(a);
            for (double x : {inner.minX, inner.maxX})
                for (double y : {inner.minY, inner.maxY})
                    box.Take(e.x + x * e.sx * c - y * e.sy * s, e.y + x * e.sx * s + y * e.sy * c);
        } else if (e.shape == Shape::Circle || e.shape == Shape::Arc) {
            box.Take(e.cx - e.radius, e.cy - e.radius), box.Take(e.cx + e.radius, e.cy + e.radius);
        } else {
            ForEachPosition(e, [&](double x, double y) { box.Take(x, y); });
        }
    }

    std::map<std::string, const Block*> m_blocks;
    std::map<std::string, Box> m_boxes;
};

// The most a model-space position loses in the drawing's 4-byte numbers (as the writer measures
// it) when the drawing is shifted so.
double WorstLossMm(const Drawing& d, double shiftX, double shiftY) {
    double worst = 0;
    auto take = [&](double exact) { worst = std::max(worst, FloatLossMm(exact)); };
    for (const Entity& e : d.entities)
        ForEachPosition(e,
                        [&](double x, double y) { take((x - shiftX) * d.unitToMm), take((y - shiftY) * d.unitToMm); });
    return worst;
}

ShiftRequest AutoShift(const Drawing& d) {
    ShiftRequest shift{ShiftRequest::Mode::Given};
    const Box box = Extents(d).Of(d.entities);
    const double scale = d.unitToMm;
    const double before = WorstLossMm(d, 0, 0);
    if (box.Empty() || before <= kNoticedLossMm) return shift;
    const double spanMm = std::max(box.maxX - box.minX, box.maxY - box.minY) * scale;
    const double stepMm =
        std::clamp(spanMm > 0 ? std::pow(10.0, std::floor(std::log10(spanMm))) : 0.0, kMetreMm, kKilometreMm);
    auto round = [&](double v) { return std::round(v * scale / stepMm) * stepMm / scale + 0.0; };  // no -0
    const double x = round(box.MiddleX()), y = round(box.MiddleY());
    // A drawing whose extent is the trouble (a stray entity far off) may gain nothing.
    if (WorstLossMm(d, x, y) < before) shift.x = x, shift.y = y;
    return shift;
}

}  // namespace

std::optional<ShiftRequest> ParseShift(std::string_view text) {
    if (text == "auto") return ShiftRequest{ShiftRequest::Mode::Auto};
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    auto x = ckw::text::ParseWholeNumber(text.substr(0, comma));
    auto y = ckw::text::ParseWholeNumber(text.substr(comma + 1));
    if (!x || !y || !std::isfinite(*x) || !std::isfinite(*y)) return std::nullopt;
    return ShiftRequest{ShiftRequest::Mode::Given, *x, *y};
}

void SettleShift(Drawing& d) {
    switch (d.shift.mode) {
    case ShiftRequest::Mode::Given:
        break;
    case ShiftRequest::Mode::Auto:
        d.shift = AutoShift(d);
        break;
    case ShiftRequest::Mode::Recorded: {
        const ckw::dxf::Shift recorded = ckw::dxf::RecordedShift(d.drawingData);
        d.shift = {ShiftRequest::Mode::Given, recorded.x / d.unitToMm, recorded.y / d.unitToMm};
        break;
    }
    }
}

std::set<std::string> BlocksTakingTheShift(const Drawing& d) {
    std::set<std::string> taking;
    if (d.shift.x == 0 && d.shift.y == 0) return taking;
    std::set<std::string> refused;
    for (const Entity& e : d.entities)
        if (e.shape == Shape::Insert) {
            const std::string key = ckw::text::NameKey(e.block);
            (e.sx == 1 && e.sy == 1 && e.angleDeg == 0 ? taking : refused).insert(key);
        }
    for (const Block& b : d.blocks)
        for (const Entity& e : b.entities)
            if (e.shape == Shape::Insert) refused.insert(ckw::text::NameKey(e.block));
    Extents extents(d);
    std::erase_if(taking, [&](const std::string& key) {
        const Box box = extents.OfBlock(key);
        if (refused.count(key) || box.Empty()) return true;
        const double x = box.MiddleX(), y = box.MiddleY();
        return std::hypot(x - d.shift.x, y - d.shift.y) >= std::hypot(x, y);
    });
    return taking;
}

}  // namespace tdwg
