#include "TWriter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>

#include <ckw/ReferenceEngine.h>
#include "DrawingShift.h"
#include "DxfWriter.h"
#include "Readers.h"
#include "Report.h"
#include "Shift.h"
#include "base/GbkText.h"
#include "base/Status.h"
#include "base/XDataWordCodec.h"
#include "base/XDataWords.h"

namespace tdwg {
namespace eng = ckw::engine;
namespace {

constexpr int kSolidLineType = 1;
constexpr int kFirstLineType = 2, kLastLineType = 99;
constexpr int kDefaultColour = 7;
// About the fewest bytes a DXF entity takes: a line with its layer and handle.
constexpr std::uintmax_t kLeastDxfEntityBytes = 128;
// Single-spaced lines of a multi-line text stand this many text heights apart.
constexpr double kSingleLineSpacing = 5.0 / 3.0;

// Engine alignment codes: 101 left / bottom, 102 centre / middle, 103 right / top.
int HAlignCode(int h) { return 101 + std::clamp(h, 0, 2); }
int VAlignCode(int v) { return v <= 1 ? 101 : v == 2 ? 102 : 103; }

int Rgb24ToColour(int32_t rgb) {
    int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return eng::RgbToColour(r | (g << 8) | (b << 16));
}

bool HasWideCharacters(const std::string& s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Cut at a character boundary to what an entity holds.
std::string FitText(const std::string& gbk) {
    if (gbk.size() <= static_cast<size_t>(eng::kMaxEntityText)) return gbk;
    size_t len = 0;
    while (len < gbk.size()) {
        size_t n = ckw::text::CharLength(gbk, len);
        if (len + n > static_cast<size_t>(eng::kMaxEntityText)) break;
        len += n;
    }
    return gbk.substr(0, len);
}

// A layer's name as a DXF export can give it again (one GBK could not hold has '?' in it).
std::string LayerName(const std::string& name, int number) {
    return FitText(ckw::dxf::SymbolName(name, std::to_string(number)));
}

std::optional<int> DecimalName(const std::string& name) {
    int value = 0;
    auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), value);
    if (ec != std::errc() || end != name.data() + name.size() || value < 0) return std::nullopt;
    return value;
}

class Mapper {
public:
    Mapper(Drawing& in, eng::Drawing& out) : m_in(in), m_out(out), m_scale(in.unitToMm) {}

    void Run() {
        Start();
        Entities(m_in.entities);
        End();
    }

    // The tables, the shift and the blocks, before the first model-space entity.
    void Start() {
        LineTypes();
        Layers();
        // Model space moves; block contents stay relative to their base points but for the
        // blocks that take the shift in place of their insertions.
        SettleShift(m_in);
        m_takingShift = BlocksTakingTheShift(m_in);
        Blocks();
    }

    void Entities(const std::vector<Entity>& entities) {
        const double shiftX = m_in.shift.x, shiftY = m_in.shift.y;
        std::string reason;
        for (const Entity& e : entities) {
            bool written = false;
            reason = e.skipReason;
            const bool stays = e.shape == Shape::Insert && m_takingShift.count(ckw::text::NameKey(e.block));
            if (e.shape != Shape::Skip)
                written = Emit(e, stays ? 0 : shiftX, stays ? 0 : shiftY, m_out, nullptr, reason);
            if (e.kind.empty()) continue;  // a continuation of the entity before it
            Counts& c = m_counts.Of(m_in.kinds, e.kind);
            if (written)
                ++c.written;
            else
                ++c.skipped[reason.empty() ? "not supported" : reason];
        }
    }

    // The counts of what no reader handed on, the drawing's record and the warnings.
    void End() {
        const double shiftX = m_in.shift.x, shiftY = m_in.shift.y;
        for (auto& [kind, c] : m_in.kinds) {
            long accounted = c.written;
            for (auto& [reason, n] : c.skipped) accounted += n;
            if (c.read > accounted) c.skipped[LeftOutReason(kind, "no reader for this kind")] += c.read - accounted;
        }
        m_out.Data() = ckw::dxf::WithShift(m_in.drawingData, {shiftX * m_scale, shiftY * m_scale});
        m_in.worstLossMm = m_worstLoss;
        // Far from the origin (survey coordinates) a float holds the millimetres only coarsely.
        if (m_worstLoss > kNoticedLossMm) {
            char text[200];
            std::snprintf(text, sizeof text,
                          "coordinates too far from the origin for the drawing's 4-byte numbers: up to %.3g mm lost%s",
                          m_worstLoss, shiftX == 0 && shiftY == 0 ? " (--shift auto moves the drawing near it)" : "");
            m_in.warnings.push_back(text);
        }
    }

private:
    void LineTypes() {
        int next = kFirstLineType;
        for (const LineType& lt : m_in.lineTypes) {
            std::string key = ckw::text::NameKey(lt.name);
            if (key == "CONTINUOUS" || key == "BYLAYER" || key == "BYBLOCK" || lt.dashes.empty()) {
                m_lineTypes[key] = kSolidLineType;
                continue;
            }
            if (m_lineTypes.count(key) || next > kLastLineType) continue;
            eng::Entity entry;
            entry.kind = eng::kLineTypeEntry;
            entry.attributes[0] = next;
            for (size_t i = 0; i < lt.dashes.size() && i < 9; ++i)
                entry.values.push_back(static_cast<float>(lt.dashes[i] * m_scale));
            entry.text = FitText(lt.name);
            m_out.Add(std::move(entry));
            m_lineTypes[key] = next++;
        }
    }

    int LineTypeNumber(const std::string& name, int byLayer) const {
        if (name.empty() || name == "BYLAYER") return byLayer;
        std::string key = ckw::text::NameKey(name);
        if (key == "BYLAYER") return byLayer;
        auto it = m_lineTypes.find(key);
        return it == m_lineTypes.end() ? kSolidLineType : it->second;
    }

    void Layers() {
        // A layer named by a number keeps that number (drawings written by this program name
        // layers without an entry so); the others are numbered after the highest.
        std::map<int, bool> taken;
        for (const Layer& l : m_in.layers)
            if (auto n = DecimalName(l.name)) taken[*n] = true;
        int next = taken.empty() ? 1 : taken.rbegin()->first + 1;
        for (const Layer& l : m_in.layers) {
            if (m_layers.count(l.name)) continue;
            auto n = DecimalName(l.name);
            eng::LayerInfo info;
            info.number = n ? *n : next++;
            info.name = LayerName(l.name, info.number);
            info.colour = l.trueColour >= 0 ? Rgb24ToColour(l.trueColour)
                                            : (std::abs(l.colour) >= 1 && std::abs(l.colour) <= 255 ? std::abs(l.colour)
                                                                                                    : kDefaultColour);
            info.flag = l.colour < 0 ? 1 : 0;
            info.lineType = LineTypeNumber(l.lineType, kSolidLineType);
            info.widthCode = static_cast<int>(std::lround(l.lineWeightMm * 1000));
            m_out.DefineLayer(info);
            m_layers[l.name] = info;
        }
        m_nextLayer = next;
    }

    const eng::LayerInfo& LayerOf(const std::string& name) {
        auto it = m_layers.find(name);
        if (it != m_layers.end()) return it->second;
        // An entity on a layer the table lacks: the layer is made.
        eng::LayerInfo info;
        auto n = DecimalName(name);
        info.number = n && !m_numbersUsed(*n) ? *n : m_nextLayer++;
        info.name = LayerName(name, info.number);
        m_out.DefineLayer(info);
        return m_layers[name] = info;
    }
    bool m_numbersUsed(int n) const {
        for (auto& [name, info] : m_layers)
            if (info.number == n) return true;
        return false;
    }

    void Blocks() {
        // Blocks that carry their engine number keep it; the others are numbered after them.
        std::map<int, bool> taken;
        for (const Block& b : m_in.blocks)
            if (b.number > 0) taken[b.number] = true;
        int number = 1;
        for (const Block& b : m_in.blocks) {
            std::string key = ckw::text::NameKey(b.name);
            if (key.rfind("*MODEL_SPACE", 0) == 0 || key.rfind("*PAPER_SPACE", 0) == 0) continue;
            if (m_blocks.count(key)) continue;
            if (b.number > 0 && taken[b.number]) {
                m_blocks[key] = b.number;
                taken[b.number] = false;  // a second block claiming it is numbered anew
                continue;
            }
            while (taken.count(number)) ++number;
            m_blocks[key] = number++;
        }
        for (Block& b : m_in.blocks) {
            auto it = m_blocks.find(ckw::text::NameKey(b.name));
            if (it == m_blocks.end() || m_out.Blocks().count(it->second)) continue;
            eng::Block block;
            block.number = it->second;
            block.name = FitText(b.engineName.empty() ? b.name : b.engineName);
            // A block without a name (old drawings have them) is named as a DXF export names it.
            if (block.name.empty()) block.name = "CKW_BLOCK_" + std::to_string(block.number);
            eng::Drawing content;  // collects the block's entities
            const bool shifted = m_takingShift.count(ckw::text::NameKey(b.name));
            const double baseX = b.baseX + (shifted ? m_in.shift.x : 0), baseY = b.baseY + (shifted ? m_in.shift.y : 0);
            for (Entity& e : b.entities) {
                std::string reason;
                if (e.shape != Shape::Skip) Emit(e, baseX, baseY, content, &block, reason);
            }
            m_out.Blocks()[block.number] = std::move(block);
        }
    }

    // A coordinate as the engine keeps it (4-byte float), noting the worst loss of precision.
    float X(double x, double baseX) {
        const double exact = (x - baseX) * m_scale;
        m_worstLoss = std::max(m_worstLoss, FloatLossMm(exact));
        return static_cast<float>(exact);
    }
    float L(double length) const { return static_cast<float>(length * m_scale); }

    // Writes one entity into `target` (or the block); false with a reason when it cannot.
    bool Emit(const Entity& e, double bx, double by, eng::Drawing& target, eng::Block* block, std::string& reason) {
        // The layer is made even for an entity that is then refused, as the layers are numbered in
        // the order the entities name them.
        const std::array<int, 7> attributes = AttributesOf(e);
        ckw::Result<Pieces> shaped = Shaped(e, Place{this, bx, by});
        if (!shaped) {
            reason = shaped.why();
            return false;
        }
        Pieces pieces = *std::move(shaped);
        for (const eng::Entity& piece : pieces)
            if (!std::ranges::all_of(piece.values, [](float v) { return std::isfinite(v); })) {
                reason = "coordinates out of range";
                return false;
            }
        pieces.front().xdata = XDataWords(e.xdata);
        for (eng::Entity& piece : pieces) {
            piece.attributes = attributes;
            if (block) {
                Grow(*block, piece);
                block->entities.push_back(std::move(piece));
            } else {
                target.Add(std::move(piece));
            }
        }
        return true;
    }

    // Layer, line type, width and colour as the engine keeps them; "by layer" takes the layer's.
    std::array<int, 7> AttributesOf(const Entity& e) {
        const eng::LayerInfo& layer = LayerOf(e.layer);
        const int colour = e.trueColour >= 0                    ? Rgb24ToColour(e.trueColour)
                           : (e.colour >= 1 && e.colour <= 255) ? e.colour
                           : e.colour == kColourByLayer         ? layer.colour
                                                                : kDefaultColour;
        const int width = e.lineWeightMm >= 0 ? static_cast<int>(std::lround(e.lineWeightMm * 1000)) : layer.widthCode;
        return {layer.number, LineTypeNumber(e.lineType, layer.lineType), width, colour, 0, 0, 0};
    }

    // Coordinates of one entity: relative to its block's base point, in millimetres.
    struct Place {
        Mapper* mapper;
        double baseX, baseY;
        float x(double v) const { return mapper->X(v, baseX); }
        float y(double v) const { return mapper->X(v, baseY); }
        float length(double v) const { return mapper->L(v); }
    };
    using Pieces = std::vector<eng::Entity>;

    static eng::Entity Piece(int kind, std::vector<float> values, std::string text = {}) {
        eng::Entity out;
        out.kind = kind;
        out.values = std::move(values);
        out.text = std::move(text);
        return out;
    }
    // Built in place: a braced list would copy the entity out of it.
    static Pieces One(int kind, std::vector<float> values, std::string text = {}) {
        Pieces one;
        one.push_back(Piece(kind, std::move(values), std::move(text)));
        return one;
    }

    // The engine entities one entity becomes (a long polyline several), or why none.
    ckw::Result<Pieces> Shaped(const Entity& e, const Place& p) {
        switch (e.shape) {
        case Shape::Point:
            return One(eng::kPoint, {p.x(e.x), p.y(e.y)});
        case Shape::Line:
            return One(eng::kLine,
                       {p.x(e.vertices[0].x), p.y(e.vertices[0].y), p.x(e.vertices[1].x), p.y(e.vertices[1].y)});
        case Shape::Polyline:
            if (e.vertices.size() < 2) return "polyline without vertices";
            return PolylinePieces(e, p);
        case Shape::Circle:
            return One(eng::kCircle, {p.x(e.cx), p.y(e.cy), p.length(e.radius)});
        case Shape::Arc:
            return One(eng::kArc, {p.x(e.cx), p.y(e.cy), p.length(e.radius), static_cast<float>(e.startDeg),
                                   static_cast<float>(e.endDeg)});
        case Shape::Text:
        case Shape::MText:
            return TextPiece(e, p);
        case Shape::Trace: {
            std::vector<float> corners;
            for (const Vertex& v : e.vertices) corners.insert(corners.end(), {p.x(v.x), p.y(v.y)});
            return One(eng::kTrace, std::move(corners));
        }
        case Shape::Insert: {
            auto it = m_blocks.find(ckw::text::NameKey(e.block));
            if (it == m_blocks.end()) return "block not found";
            return One(eng::kBlockInsert,
                       {static_cast<float>(it->second), p.x(e.x), p.y(e.y), 0.0f, static_cast<float>(e.sx),
                        static_cast<float>(e.sy), static_cast<float>(e.sz), static_cast<float>(e.angleDeg)});
        }
        case Shape::Skip:
            break;
        }
        return "not supported";
    }

    // Long polylines go out in pieces that share their end vertices.
    static Pieces PolylinePieces(const Entity& e, const Place& p) {
        const size_t max = static_cast<size_t>(eng::kMaxPolylineVertices);
        std::vector<Vertex> verts = e.vertices;
        bool closed = e.closed;
        if (verts.size() > max && closed) {
            verts.push_back(verts.front());
            closed = false;
        }
        Pieces pieces;
        const size_t n = verts.size();
        for (size_t first = 0;; first += max - 1) {
            const size_t last = std::min(n - 1, first + max - 1);
            std::vector<float> values = {static_cast<float>(last - first + 1), closed ? 1.0f : 0.0f};
            for (size_t i = first; i <= last; ++i) {
                const Vertex& v = verts[i];
                const bool hasNext = i < last || closed;
                const Vertex& next = verts[i < last ? i + 1 : first];
                const double height = hasNext ? v.bulge * std::hypot(next.x - v.x, next.y - v.y) / 2 : 0;
                values.insert(values.end(),
                              {p.x(v.x), p.y(v.y), p.length(height), p.length(v.startWidth), p.length(v.endWidth)});
            }
            pieces.push_back(Piece(eng::kPolyline, std::move(values)));
            if (last == n - 1) return pieces;
        }
    }

    static Pieces TextPiece(const Entity& e, const Place& p) {
        std::string text = FitText(e.text);
        const int kind = e.shape == Shape::MText   ? eng::kMultilineText
                         : HasWideCharacters(text) ? eng::kChineseText
                                                   : eng::kWesternText;
        std::vector<float> values = {p.length(e.height),
                                     p.length(e.height * e.widthFactor),
                                     p.x(e.x),
                                     p.y(e.y),
                                     static_cast<float>(e.angleDeg),
                                     static_cast<float>(HAlignCode(e.hAlign)),
                                     static_cast<float>(VAlignCode(e.vAlign))};
        // The drawing keeps the distance between lines; the source gives a factor of the single
        // spacing, which is 5/3 of the text height.
        if (e.shape == Shape::MText) values.push_back(p.length(e.height * kSingleLineSpacing * e.lineSpacing));
        return One(kind, std::move(values), std::move(text));
    }

    static void Grow(eng::Block& block, const eng::Entity& e) {
        // Extents of block content: the coordinates of points the kind carries.
        auto take = [&](float x, float y) {
            bool first = block.entities.empty() && block.extents == std::array<float, 6>{};
            if (first) {
                block.extents = {x, y, 0, x, y, 0};
                return;
            }
            block.extents[0] = std::min(block.extents[0], x), block.extents[1] = std::min(block.extents[1], y);
            block.extents[3] = std::max(block.extents[3], x), block.extents[4] = std::max(block.extents[4], y);
        };
        const auto& v = e.values;
        switch (e.kind) {
        case eng::kPoint:
        case eng::kLine:
        case eng::kTrace:
            for (size_t i = 0; i + 1 < v.size(); i += 2) take(v[i], v[i + 1]);
            break;
        case eng::kPolyline:
            for (size_t i = 2; i + 1 < v.size(); i += 5) take(v[i], v[i + 1]);
            break;
        case eng::kCircle:
        case eng::kArc:
            take(v[0] - v[2], v[1] - v[2]), take(v[0] + v[2], v[1] + v[2]);
            break;
        case eng::kChineseText:
        case eng::kWesternText:
        case eng::kMultilineText:
            take(v[2], v[3]);
            break;
        case eng::kBlockInsert:
            take(v[1], v[2]);
            break;
        default:
            break;
        }
    }

    std::vector<int32_t> XDataWords(const std::vector<XDataApp>& apps) {
        if (apps.empty()) return {};
        std::vector<std::unique_ptr<XData_Resbuf_>> owned;
        std::vector<XDataItemList> lists(apps.size());
        std::vector<ckw::xdata::NamedItems> blocks;
        std::vector<std::string> names(apps.size());
        for (size_t a = 0; a < apps.size(); ++a) {
            for (const XDataValue& v : apps[a].values) {
                // The engine keeps reals in single precision: one beyond it is not kept.
                if (v.type == XDataValue::Type::Real && !std::isfinite(static_cast<float>(v.r))) {
                    ++m_in.droppedXDataValues;
                    continue;
                }
                auto item = std::make_unique<XData_Resbuf_>();
                switch (v.type) {
                case XDataValue::Type::Int:
                    item->restype = ckw::xdata::kIntegerCode, item->resval.nInt = v.i;
                    break;
                case XDataValue::Type::Real:
                    item->restype = ckw::xdata::kRealCode, item->resval.fReal = static_cast<float>(v.r);
                    break;
                case XDataValue::Type::String:
                    item->restype = ckw::xdata::kStringCode, item->resval.pString = const_cast<char*>(v.s.c_str());
                    break;
                }
                lists[a].Add(item.get());
                owned.push_back(std::move(item));
            }
            // Named as a DXF export can name it again (a name GBK could not hold has '?' in it).
            names[a] = ckw::dxf::SymbolName(apps[a].name, "CKW");
            blocks.push_back({names[a], &lists[a]});
        }
        std::vector<int32_t> words;
        int taken = ckw::xdata::EncodeBlocks(blocks, words);
        if (taken < static_cast<int>(apps.size())) {
            for (size_t a = static_cast<size_t>(std::max(taken, 0)); a < apps.size(); ++a)
                m_in.droppedXDataValues += static_cast<long>(apps[a].values.size());
        }
        return words;
    }

    Drawing& m_in;
    eng::Drawing& m_out;
    double m_scale;
    double m_worstLoss = 0;                                    // millimetres
    std::map<std::string, int> m_lineTypes;                    // name key -> number
    std::unordered_map<std::string, eng::LayerInfo> m_layers;  // looked up for every entity
    KindCounts m_counts;
    int m_nextLayer = 1;
    std::map<std::string, int> m_blocks;  // name key -> number
    std::set<std::string> m_takingShift;  // name keys
};

}  // namespace

void MapToEngine(Drawing& in, eng::Drawing& out) { Mapper(in, out).Run(); }

namespace {

enum class Mapped { Done, Failed, Again };

Mapped MapDxfOnce(const std::filesystem::path& dxf, Drawing& drawing, eng::Drawing& out, std::string& error,
                  ShiftRequest shift, size_t batchSize, bool streamed) {
    // Room for as many entities as the file could hold, so that the drawing never moves them as
    // it grows. Room that stays unused is never touched and costs no memory.
    std::error_code ec;
    if (const std::uintmax_t bytes = std::filesystem::file_size(dxf, ec); !ec) try {
            out.Reserve(out.Entities().size() + static_cast<size_t>(bytes / kLeastDxfEntityBytes));
        } catch (const std::bad_alloc&) {}
    std::optional<Mapper> mapper;
    auto start = [&] {
        if (mapper) return;
        drawing.shift = shift;
        mapper.emplace(drawing, out);
        mapper->Start();
    };
    const EntityBatch batch{batchSize, [&](std::vector<Entity>& entities) {
                                start();
                                mapper->Entities(entities);
                                entities.clear();
                            }};
    if (!ReadDxf(dxf, drawing, error, streamed ? batch : EntityBatch{})) return Mapped::Failed;
    // A drawing our export wrote with a shift keeps it in its record, which comes after the
    // entities: those mapped before the record came are mapped again, now that it is known.
    if (mapper && shift.mode == ShiftRequest::Mode::Recorded && !ckw::dxf::RecordedShift(drawing.drawingData).IsZero())
        return Mapped::Again;
    start();
    mapper->Entities(drawing.entities);
    mapper->End();
    return Mapped::Done;
}

}  // namespace

bool MapDxf(const std::filesystem::path& dxf, Drawing& drawing, eng::Drawing& out, std::string& error,
            ShiftRequest shift, size_t batchSize) {
    // A shift asked for depends on the whole of model space (the blocks that take it in place of
    // their insertions, an automatic one): the file is then read whole first.
    const bool streamed = shift.mode == ShiftRequest::Mode::Recorded ||
                          (shift.mode == ShiftRequest::Mode::Given && shift.x == 0 && shift.y == 0);
    const int stamp = out.Stamp();
    Mapped mapped = MapDxfOnce(dxf, drawing, out, error, shift, batchSize, streamed);
    if (mapped == Mapped::Again) {
        out = eng::Drawing();
        out.SetStamp(stamp);
        mapped = MapDxfOnce(dxf, drawing, out, error, shift, batchSize, false);
    }
    return mapped == Mapped::Done;
}

bool ConvertDxf(const std::filesystem::path& dxf, Drawing& drawing, const std::filesystem::path& file,
                std::string& error, ShiftRequest shift) {
    eng::Drawing out;
    return MapDxf(dxf, drawing, out, error, shift) && eng::WriteDrawingFile(file, out, error);
}

bool WriteT(Drawing& in, const std::filesystem::path& file, std::string& error) {
    eng::Drawing out;
    MapToEngine(in, out);
    return eng::WriteDrawingFile(file, out, error);
}

}  // namespace tdwg
