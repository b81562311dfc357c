// Coordinates, pen, drawing calls, blocks, line types and colours of the reference engine.
#include <algorithm>
#include <cmath>
#include <utility>

#include "RefState.h"
#include "base/GbkText.h"

namespace ckw::engine {

namespace {

bool HasMultibyte(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Reads a file's model entities as block content: insertions are expanded (blocks never nest)
// and table entries left out.
void Flatten(const Drawing& source, const std::vector<Entity>& entities, const Transform& t, int depth,
             std::vector<Entity>& out) {
    for (const Entity& e : entities) {
        if (e.deleted || !IsDrawnKind(e.kind)) continue;
        if (e.kind == kBlockInsert) {
            auto it = source.Blocks().find(WholeNumber(e.values.empty() ? 0 : e.values[0]));
            if (it != source.Blocks().end() && depth < kMaxBlockDepth)
                Flatten(source, it->second.entities, t.After(InsertTransform(e)), depth + 1, out);
            continue;
        }
        Entity copy = e;
        copy.id0 = copy.id1 = 0;
        if (!t.IsIdentity()) TransformEntity(copy, t);
        out.push_back(std::move(copy));
    }
}

}  // namespace

// --- Coordinates and pen -----------------------------------------------------------------------

void ReferenceEngine::HostSetUserCoords(const float* record) {
    if (!record) return;
    std::copy_n(record, kHostCoordsRecordSize, m->ucsRecord.begin());
    m->ucs = Transform::FromRecord(record);
}

void ReferenceEngine::HostResetUserCoords() { HostUseWorldCoords(); }

void ReferenceEngine::HostGetUserCoords(const int&, float* record) {
    if (record) std::copy(m->ucsRecord.begin(), m->ucsRecord.end(), record);
}

void ReferenceEngine::HostUseWorldCoords() {
    m->ucsRecord = {0, 0, 0, 1, 1, 1, 0, 0, 0};
    m->ucs = Transform{};
}

void ReferenceEngine::HostBeginDrawing() {
    m->rubberBand = false;
    m->tempShapes.clear();
    m->tempColour = 0;
}

void ReferenceEngine::HostSetPen(const int& layer, const int& lineType, const int& widthCode, const int& colour,
                                 const int&) {
    m->pen = {layer, lineType, widthCode, colour};
}

void ReferenceEngine::HostSetTempColour(const int& colour) { m->tempColour = colour; }

// --- Drawing -----------------------------------------------------------------------------------

void ReferenceEngine::HostDrawLine(const float& x1, const float& y1, const float& x2, const float& y2) {
    if (m->rubberBand) {
        ++m->tempShapes[{float(kLine), x1, y1, x2, y2}];
        return;
    }
    Entity e;
    e.kind = kLine;
    e.values = {x1, y1, x2, y2};
    m->Create(std::move(e));
}

void ReferenceEngine::HostDrawPolyline(const int& count, const float* xs, const float* ys) {
    if (count <= 0 || !xs || !ys) return;
    if (m->rubberBand) {
        std::vector<float> key{float(kPolyline)};
        for (int i = 0; i < count; ++i) key.insert(key.end(), {xs[i], ys[i]});
        ++m->tempShapes[key];
        return;
    }
    std::vector<float> zeros(static_cast<size_t>(count), 0.0f);
    HostDrawWidePolyline(count, xs, ys, zeros.data(), zeros.data(), zeros.data(), zeros.data(), 0);
}

void ReferenceEngine::HostDrawArc(const float& cx, const float& cy, const float& radius, const float& startDegrees,
                                  const float& endDegrees) {
    Entity e;
    if (std::abs(endDegrees - startDegrees) >= 360.0f) {
        e.kind = kCircle;
        e.values = {cx, cy, radius};
    } else {
        e.kind = kArc;
        e.values = {cx, cy, radius, startDegrees, endDegrees};
    }
    if (m->rubberBand) {
        std::vector<float> key{float(e.kind)};
        key.insert(key.end(), e.values.begin(), e.values.end());
        ++m->tempShapes[key];
        return;
    }
    m->Create(std::move(e));
}

void ReferenceEngine::HostDrawWidePolyline(const int& count, const float* xs, const float* ys, const float* arcHeights,
                                           const float* widths, const float* endWidths, const float*,
                                           const int& closed) {
    if (count <= 0 || !xs || !ys) return;
    auto at = [](const float* values, int i) { return values ? values[i] : 0.0f; };
    // A polyline longer than one record holds is drawn as consecutive pieces sharing end points.
    for (int first = 0; first < count;) {
        int n = std::min(count - first, kMaxPolylineVertices);
        bool whole = first == 0 && n == count;
        Entity e;
        e.kind = kPolyline;
        e.values.reserve(2 + static_cast<size_t>(n) * kPolylineVertexValues);
        e.values = {float(n), whole && closed ? 1.0f : 0.0f};
        for (int i = first; i < first + n; ++i)
            e.values.insert(e.values.end(), {xs[i], ys[i], at(arcHeights, i), at(widths, i), at(endWidths, i)});
        m->Create(std::move(e));
        if (first + n >= count) break;
        first += n - 1;
    }
}

void ReferenceEngine::HostDrawFilledPolygon(const int& count, const float* xs, const float* ys, const int& style,
                                            const int*, const int& fillCode) {
    constexpr int kMaxCorners = (kHostRecordCapacity - 3) / 2;
    if (count <= 0 || !xs || !ys) return;
    if (count > kMaxCorners) {
        m->Message("HostDrawFilledPolygon: too many corners (" + std::to_string(count) + ")");
        return;
    }
    Entity e;
    e.kind = kFilledPolygon;
    e.values = {float(count), float(fillCode), float(style)};
    for (int i = 0; i < count; ++i) e.values.insert(e.values.end(), {xs[i], ys[i]});
    m->Create(std::move(e));
}

void ReferenceEngine::HostDrawText(const char* text, const int& length, const float& x, const float& y,
                                   const float& charWidth, const float& charHeight, const int& hAlign,
                                   const int& vAlign, const float& angle) {
    if (!text || length <= 0) return;
    std::string_view bytes(text, static_cast<size_t>(length));
    bytes = bytes.substr(0, bytes.find('\0'));
    // Longer texts are cut at a character boundary to what an entity holds.
    size_t end = 0;
    while (end < bytes.size()) {
        size_t next = end + ckw::text::CharLength(bytes, end);
        if (next > static_cast<size_t>(kMaxEntityText)) break;
        end = next;
    }
    Entity e;
    e.text = std::string(bytes.substr(0, end));
    e.kind = HasMultibyte(e.text) ? kChineseText : kWesternText;
    e.values = {charHeight, charWidth, x, y, angle, float(hAlign), float(vAlign)};
    m->Create(std::move(e));
}

void ReferenceEngine::HostLoadBlockFileScaled(const char* path, const int& length, const int& blockNumber,
                                              const float* basePoint, const float* transform, const char* blockName,
                                              const int& nameLength, float* extents, int& error) {
    Drawing* target = m->Writable();
    if (!target || blockNumber <= 0 || !path) {
        error = 2;
        return;
    }
    Drawing source;
    std::string message;
    if (!ReadDrawingFile(PathFromGbk(path, length, length), source, message)) {
        m->Message(ckw::text::Utf8ToGbk(message));
        error = 1;
        return;
    }
    std::array<float, 4> box{};
    bool measured = source.Extents(box);
    if (extents) {
        float values[6] = {box[0], box[1], 0, box[2], box[3], 0};
        if (!measured) std::fill(values, values + 6, 0.0f);
        std::copy(values, values + 6, extents);
    }
    Transform place;
    if (basePoint) place = Transform::Translation(-basePoint[0], -basePoint[1]);
    if (transform) {
        float record[9];
        std::copy_n(transform, 9, record);
        record[0] = record[1] = record[2] = 0;  // content is placed at the block's origin
        place = Transform::FromRecord(record).After(place);
    }
    Block block;
    block.number = blockNumber;
    if (blockName && nameLength > 0)
        block.name = std::string(blockName, static_cast<size_t>(nameLength)).substr(0, kMaxEntityText);
    else
        block.name = std::string(path, static_cast<size_t>(std::max(0, length))).substr(0, kMaxEntityText);
    block.name = block.name.substr(0, block.name.find('\0'));
    if (measured) block.extents = {box[0], box[1], 0, box[2], box[3], 0};
    Flatten(source, source.Entities(), place, 0, block.entities);
    target->Blocks()[blockNumber] = std::move(block);
    error = 0;
}

void ReferenceEngine::HostLoadBlockFile(const char* path, const int& length, const int& blockNumber, float* extents,
                                        int& error) {
    HostLoadBlockFileScaled(path, length, blockNumber, nullptr, nullptr, path, length, extents, error);
}

void ReferenceEngine::HostQueryBlockNumber(const int& blockNumber, int& count) {
    const auto& blocks = std::as_const(m->Cur().drawing).Blocks();
    auto it = blocks.find(blockNumber);
    count = it == blocks.end() ? 0 : std::max<int>(1, static_cast<int>(it->second.entities.size()));
}

void ReferenceEngine::HostInsertBlock(const int& blockNumber, const int& mode, const float* basePoint,
                                      const float* transform) {
    Drawing* d = m->Writable();
    if (!d || !transform) return;
    auto it = d->Blocks().find(blockNumber);
    if (it == d->Blocks().end()) {
        m->Message("HostInsertBlock: block " + std::to_string(blockNumber) + " is not loaded");
        return;
    }
    Entity e;
    e.kind = kBlockInsert;
    e.values = {float(blockNumber), transform[0], transform[1], transform[2],
                transform[3],       transform[4], transform[5], transform[8]};
    bool ownOrigin = !basePoint || (basePoint[0] == 9999.0f && basePoint[1] == 9999.0f && basePoint[2] == 9999.0f);
    if (!ownOrigin) {
        // The block's point basePoint lands on the insertion point.
        double bx, by;
        InsertTransform(e).Apply(basePoint[0], basePoint[1], bx, by);
        e.values[1] = static_cast<float>(2 * transform[0] - bx);
        e.values[2] = static_cast<float>(2 * transform[1] - by);
    }
    if (mode == 1) {
        m->Create(std::move(e));
        return;
    }
    Transform place = m->ucs.After(InsertTransform(e));
    std::vector<Entity> pieces;
    Flatten(*d, it->second.entities, place, 0, pieces);
    for (Entity& piece : pieces) {
        piece.xdata = m->pendingNew;
        m->SetCurrent(m->current, d->Add(std::move(piece)));
    }
}

void ReferenceEngine::HostIntersectSegments(const float& ax1, const float& ay1, const float& ax2, const float& ay2,
                                            const float& bx1, const float& by1, const float& bx2, const float& by2,
                                            const float& tolerance, float& x, float& y, int& onA, int& onB) {
    double rx = ax2 - ax1, ry = ay2 - ay1, sx = bx2 - bx1, sy = by2 - by1;
    double denom = rx * sy - ry * sx;
    if (std::abs(denom) <= 1e-12 * std::max(1.0, std::hypot(rx, ry) * std::hypot(sx, sy))) {
        onA = onB = -1;
        return;
    }
    double t = ((bx1 - ax1) * sy - (by1 - ay1) * sx) / denom;
    double u = ((bx1 - ax1) * ry - (by1 - ay1) * rx) / denom;
    double px = ax1 + t * rx, py = ay1 + t * ry;
    x = static_cast<float>(px);
    y = static_cast<float>(py);
    auto within = [&](double param, double length) {
        double slack = length > 0 ? std::max(0.0f, tolerance) / length : 0;
        return param >= -slack && param <= 1 + slack;
    };
    onA = within(t, std::hypot(rx, ry)) ? 1 : 0;
    onB = within(u, std::hypot(sx, sy)) ? 1 : 0;
}

// --- Line types and colours --------------------------------------------------------------------

void ReferenceEngine::HostDefineLineType(const int& number, const int& count, const float* values) {
    Drawing* d = m->Writable();
    if (!d || number < 2 || number > kHostLineTypeCount) return;
    int n = std::clamp(count, 0, kHostDashCount);
    std::vector<float> dashes;
    if (values) dashes.assign(values, values + n);
    d->DefineLineType(number, dashes);
}

void ReferenceEngine::HostGetLineTypes(int* counts, float* values) {
    if (counts && values) m->Cur().drawing.LineTypes(counts, values);
}

void ReferenceEngine::HostRgbToColorIndex(const int& rgb, int& colour) { colour = RgbToColour(rgb); }
void ReferenceEngine::HostColorIndexToRgb(const int& colour, int& rgb) { rgb = ColourToRgb(colour); }

}  // namespace ckw::engine
