// DWG into the neutral drawing: the reader script (Node.js with @mlightcad/libredwg-web) prints
// the drawing as JSON; here it becomes layers, line types, blocks and entities. Texts arrive as
// UTF-8 whatever the file's version (the package decodes the code page of older files and the
// UTF-16 of newer ones).
#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>

#include "platform/Shell.h"
#include "Annotations.h"
#include "base/GbkText.h"
#include "base/XDataWordCodec.h"
#include "Curves.h"
#include "Readers.h"
#include "Report.h"
#include "TextDecode.h"
#include "Transforms.h"

namespace tdwg {
namespace {

using Json = nlohmann::json;

double Num(const Json& j, const char* key, double fallback = 0) {
    auto it = j.find(key);
    return it != j.end() && it->is_number() ? it->get<double>() : fallback;
}
// Every field is read tolerantly: a missing one or one of another type than expected gives the
// fallback, so that one odd field never costs more than the entity it belongs to.
int Int(const Json& j, const char* key, int fallback = 0) {
    auto it = j.find(key);
    if (it == j.end() || !it->is_number()) return fallback;
    const double d = it->get<double>();
    return d >= INT32_MIN && d <= INT32_MAX ? static_cast<int>(d) : fallback;
}
// Flags come as booleans or as numbers (0 or not), depending on the field and the file's version.
bool Bool(const Json& j, const char* key, bool fallback) {
    auto it = j.find(key);
    if (it == j.end()) return fallback;
    if (it->is_boolean()) return it->get<bool>();
    if (it->is_number()) return it->get<double>() != 0;
    return fallback;
}
const Json& Obj(const Json& j, const char* key) {
    static const Json empty = Json::object();
    auto it = j.find(key);
    return it != j.end() && it->is_object() ? *it : empty;
}
const Json& Arr(const Json& j, const char* key) {
    static const Json empty = Json::array();
    auto it = j.find(key);
    return it != j.end() && it->is_array() ? *it : empty;
}
std::string Str(const Json& j, const char* key) {
    auto it = j.find(key);
    return it != j.end() && it->is_string() ? it->get<std::string>() : std::string();
}
Point2 Pt(const Json& j, const char* key) {
    const Json& p = Obj(j, key);
    return {Num(p, "x"), Num(p, "y")};
}
double Deg(double radians) { return radians * 180 / M_PI; }

// Lineweights are stored as an index into the standard steps; 29 and up mean by layer / block / default.
double LineWeightMm(int index) {
    static const int kSteps[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                 53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    return index >= 0 && index < 24 ? kSteps[index] / 100.0 : 0;
}

class JsonSink {
public:
    explicit JsonSink(Drawing& d) : m_d(d) { m_text.SetUtf8(true); }

    void Run(const Json& root) {
        const Json& header = Obj(root, "header");
        m_d.sourceVersion = Str(header, "ACADVER");
        // The reader has decoded the texts of drawings before 2007 with this code page already.
        m_d.sourceCodePage = Str(header, "DWGCODEPAGE");
        m_d.unitToMm = MillimetresPerUnit(Int(header, "INSUNITS"));
        for (const Json& l : Arr(root, "layers")) {
            Layer layer;
            layer.name = m_text.Utf8ToGbk(Str(l, "name"));
            layer.colour = Int(l, "colorIndex", 7);
            if (Bool(l, "off", false) && layer.colour > 0) layer.colour = -layer.colour;
            layer.lineType = m_text.Utf8ToGbk(Str(l, "lineType"));
            layer.lineWeightMm = LineWeightMm(Int(l, "lineweight", 29));
            m_d.layers.push_back(std::move(layer));
        }
        for (const Json& lt : Arr(root, "lineTypes")) {
            LineType type{m_text.Utf8ToGbk(Str(lt, "name")), {}};
            for (const Json& p : Arr(lt, "pattern")) type.dashes.push_back(Num(p, "elementLength"));
            m_d.lineTypes.push_back(std::move(type));
        }
        m_arrowSize = Num(header, "DIMASZ", 0.18), m_dimScale = Num(header, "DIMSCALE", 1);
        for (const Json& style : Arr(root, "dimStyles"))
            m_dimStyles[ckw::text::NameKey(m_text.Utf8ToGbk(Str(style, "name")))] = {
                Num(style, "DIMASZ", m_arrowSize), Num(style, "DIMSCALE", m_dimScale)};
        for (const Json& b : Arr(root, "blocks")) m_blockNames[Str(b, "handle")] = m_text.Utf8ToGbk(Str(b, "name"));
        std::string modelHandle;
        for (const Json& b : Arr(root, "blocks")) {
            std::string name = Str(b, "name");
            if (name == "*Model_Space" || name == "*MODEL_SPACE") {
                modelHandle = Str(b, "handle");
                continue;
            }
            if (name.rfind("*Paper_Space", 0) == 0 || name.rfind("*PAPER_SPACE", 0) == 0) continue;
            Point2 base = Pt(b, "basePoint");
            Block block{m_text.Utf8ToGbk(name), 0, {}, base.x, base.y, {}};
            RestoreBlockIdentity(m_text.Utf8ToGbk(Str(b, "description")), block);
            for (const Json& e : Arr(b, "entities")) Add(e, block.entities, false);
            m_d.blocks.push_back(std::move(block));
        }
        std::map<std::string, bool> insertInPaper;
        for (const Json& e : Arr(root, "entities")) {
            std::string type = Str(e, "type");
            if (type.empty()) continue;
            ++m_d.kinds[type].read;
            // An attribute belongs to its insert, which belongs to model or paper space.
            const std::string owner = Str(e, "ownerBlockRecordSoftId");
            bool paper = !modelHandle.empty() && owner != modelHandle;
            if (auto it = insertInPaper.find(owner); type == "ATTRIB" && it != insertInPaper.end()) paper = it->second;
            if (type == "INSERT") insertInPaper[Str(e, "handle")] = paper;
            Add(e, m_d.entities, paper);
        }
        // Kinds the file holds that the reader hands on nowhere: named with their count.
        for (const auto& [kind, n] : Obj(root, "unlisted").items()) {
            if (!n.is_number() || n.get<double>() < 1 || n.get<double>() > 1e9) continue;
            Counts& c = m_d.kinds[kind];
            c.read += static_cast<long>(n.get<double>());
            c.skipped[LeftOutReason(kind, "not handed on by the DWG reader")] += static_cast<long>(n.get<double>());
        }
        m_d.unmappableCharacters = m_text.Unmappable();
    }

private:
    void Add(const Json& j, std::vector<Entity>& list, bool paperSpace) {
        Entity e;
        e.kind = Str(j, "type");
        e.layer = m_text.Utf8ToGbk(Str(j, "layer"));
        e.lineType = m_text.Utf8ToGbk(Str(j, "lineType"));
        e.colour = Int(j, "colorIndex", kColourByLayer);
        if (int lw = Int(j, "lineweight", 29); lw < 24) e.lineWeightMm = LineWeightMm(lw);
        if (j.contains("color") && j["color"].is_number() && e.colour != kColourByLayer && e.colour != kColourByBlock &&
            (e.colour < 1 || e.colour > 255))
            e.trueColour = Int(j, "color") & 0xFFFFFF;
        try {
            XData(j, e);
            Map(j, e);
            Extrusion(j, e);
            for (Entity& more : m_more) more.nx = e.nx, more.ny = e.ny, more.nz = e.nz;
        } catch (const std::exception&) {
            // The reader's output for this entity is not what it should be: it alone stays out.
            e.shape = Shape::Skip, e.skipReason = "damaged entity data";
            e.xdata.clear();
            m_more.clear();
        }
        if (paperSpace && e.shape != Shape::Skip) e.shape = Shape::Skip, e.skipReason = "paper space";
        if (e.shape == Shape::Polyline && e.vertices.size() < 2)
            e.shape = Shape::Skip, e.skipReason = "polyline without vertices";
        list.push_back(std::move(e));
        for (Entity& more : m_more) list.push_back(std::move(more));
        m_more.clear();
    }

    // Only well-formed extended data comes in: an application with a printable name, and values of
    // the kinds the engine keeps with a value that fits them (strings not empty, at most the 255
    // bytes of a DXF value). The rest is counted in the report.
    // Kinds given in the object coordinate system of their extrusion direction.
    static void Extrusion(const Json& j, Entity& e) {
        static const char* const kKinds[] = {"ARC",    "CIRCLE", "LWPOLYLINE", "POLYLINE2D", "TEXT",
                                             "ATTRIB", "INSERT", "SOLID",      "TRACE",      "HATCH"};
        if (std::find(std::begin(kKinds), std::end(kKinds), e.kind) == std::end(kKinds)) return;
        const Json& n = Obj(e.kind == "ATTRIB" ? Obj(j, "text") : j, "extrusionDirection");
        if (n.empty()) return;
        e.nx = Num(n, "x"), e.ny = Num(n, "y"), e.nz = Num(n, "z", 1);
    }

    void XData(const Json& j, Entity& e) {
        for (const Json& app : Arr(j, "xdata")) {
            const std::string name = Str(app, "appName");
            if (!WellFormedText(name) || name.empty()) {
                m_d.droppedXDataValues += static_cast<long>(std::max<size_t>(Arr(app, "value").size(), 1));
                continue;
            }
            XDataApp a{m_text.Utf8ToGbk(name), {}};
            for (const Json& v : Arr(app, "value")) {
                const int code = Int(v, "code");
                auto value = v.find("value");
                const bool number = value != v.end() && value->is_number();
                const double d = number ? value->get<double>() : 0;
                const std::string text =
                    value != v.end() && value->is_string() ? Trimmed(value->get<std::string>()) : "";
                if (code == ckw::xdata::kDxfString && !text.empty() && text.size() <= 255 && WellFormedText(text))
                    a.values.push_back({XDataValue::Type::String, 0, 0, m_text.Utf8ToGbk(text)});
                else if (code == ckw::xdata::kDxfInteger && number && d == std::trunc(d) && d >= INT16_MIN &&
                         d <= INT16_MAX)
                    a.values.push_back({XDataValue::Type::Int, static_cast<int32_t>(d), 0, {}});
                else if (code == ckw::xdata::kDxfLong && number && d == std::trunc(d) && d >= INT32_MIN &&
                         d <= INT32_MAX)
                    a.values.push_back({XDataValue::Type::Int, static_cast<int32_t>(d), 0, {}});
                else if (code >= ckw::xdata::kDxfReal && code <= ckw::xdata::kDxfScale && number && std::isfinite(d))
                    a.values.push_back({XDataValue::Type::Real, 0, d, {}});
                else
                    ++m_d.droppedXDataValues;
            }
            e.xdata.push_back(std::move(a));
        }
    }

    // Text without control characters or the mark of bytes that were not text.
    // A DXF value cannot begin or end with blanks: they are not kept.
    static std::string Trimmed(const std::string& s) {
        const size_t first = s.find_first_not_of(' '), last = s.find_last_not_of(' ');
        return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
    }

    static bool WellFormedText(const std::string& s) {
        for (unsigned char c : s)
            if (c < 0x20 || c == 0x7F) return false;
        return s.find("\xEF\xBF\xBD") == std::string::npos;
    }

    void Text(const Json& j, Entity& e, const Json& t) {
        e.shape = Shape::Text;
        e.text = m_text.Utf8ToGbk(ResolvePercentCodes(Str(t, "text").empty() ? Str(j, "text") : Str(t, "text")));
        e.height = Num(t, "textHeight");
        e.widthFactor = Num(t, "xScale", 1) > 0 ? Num(t, "xScale", 1) : 1;
        e.angleDeg = Deg(Num(t, "rotation"));
        int h = Int(t, "halign"), v = Int(t, "valign");
        bool useFirst = (h == 0 && v == 0) || h == 3 || h == 5;
        Point2 p = useFirst ? Pt(t, "startPoint") : Pt(t, "endPoint");
        e.x = p.x, e.y = p.y;
        e.hAlign = h == 1 || h == 4 ? 1 : h == 2 ? 2 : 0;
        e.vAlign = h == 4 ? 2 : (v >= 0 && v <= 3 ? v : 0);
        if (h == 3 || h == 5) {
            Point2 second = Pt(t, "endPoint");
            SpanText(e, second.x, second.y, h == 5);
        }
    }

    // Maps one entity by its type; a type without a mapping is skipped, saying why.
    void Map(const Json& j, Entity& e) {
        using Mapping = void (JsonSink::*)(const Json&, Entity&);
        static const std::map<std::string, Mapping, std::less<>> kMappings = {
            {"LINE", &JsonSink::Line},
            {"POINT", &JsonSink::Point},
            {"CIRCLE", &JsonSink::CircleOrArc},
            {"ARC", &JsonSink::CircleOrArc},
            {"ELLIPSE", &JsonSink::Ellipse},
            {"SPLINE", &JsonSink::Spline},
            {"LWPOLYLINE", &JsonSink::LightPolyline},
            {"POLYLINE2D", &JsonSink::Polyline},
            {"POLYLINE3D", &JsonSink::Polyline},
            {"TEXT", &JsonSink::PlainText},
            {"ATTRIB", &JsonSink::Attribute},
            {"MTEXT", &JsonSink::MText},
            {"INSERT", &JsonSink::Insert},
            {"DIMENSION", &JsonSink::Insert},
            {"ARC_DIMENSION", &JsonSink::Insert},
            {"SOLID", &JsonSink::Trace},
            {"TRACE", &JsonSink::Trace},
            {"HATCH", &JsonSink::Hatch},
            {"ACAD_TABLE", &JsonSink::Table},
            {"MLINE", &JsonSink::MLine},
            {"LEADER", &JsonSink::Leader},
            {"MULTILEADER", &JsonSink::MultiLeaderJson},
        };
        if (auto it = kMappings.find(e.kind); it != kMappings.end()) {
            (this->*(it->second))(j, e);
            return;
        }
        e.shape = Shape::Skip;
        e.skipReason =
            e.kind == "XLINE" || e.kind == "RAY" ? "infinite line" : LeftOutReason(e.kind, "no reader for this kind");
    }

    void Line(const Json& j, Entity& e) {
        Point2 a = Pt(j, "startPoint"), b = Pt(j, "endPoint");
        e.shape = Shape::Line;
        e.vertices = {{a.x, a.y}, {b.x, b.y}};
    }

    void Point(const Json& j, Entity& e) {
        Point2 p = Pt(j, "position");
        e.shape = Shape::Point, e.x = p.x, e.y = p.y;
    }

    void CircleOrArc(const Json& j, Entity& e) {
        Point2 c = Pt(j, "center");
        e.shape = e.kind == "ARC" ? Shape::Arc : Shape::Circle;
        e.cx = c.x, e.cy = c.y, e.radius = Num(j, "radius");
        e.startDeg = Deg(Num(j, "startAngle")), e.endDeg = Deg(Num(j, "endAngle"));
    }

    void Ellipse(const Json& j, Entity& e) {
        Point2 c = Pt(j, "center"), m = Pt(j, "majorAxisEndPoint");
        e.shape = Shape::Polyline;
        e.vertices = EllipseVertices(c.x, c.y, m.x, m.y, Num(j, "axisRatio", 1), Num(j, "startAngle"),
                                     Num(j, "endAngle", 2 * M_PI));
    }

    void Spline(const Json& j, Entity& e) {
        e.shape = Shape::Polyline;
        std::vector<Point2> control;
        std::vector<double> knots, weights;
        for (const Json& p : Arr(j, "controlPoints")) {
            control.push_back({Num(p, "x"), Num(p, "y")});
            if (p.contains("weight")) weights.push_back(Num(p, "weight", 1));
        }
        for (const Json& k : Arr(j, "knots"))
            if (k.is_number()) knots.push_back(k.get<double>());
        e.vertices = SplineVertices(Int(j, "degree", 3), knots, control, weights);
        if (e.vertices.empty())
            for (const Json& p : Arr(j, "fitPoints")) e.vertices.push_back({Num(p, "x"), Num(p, "y")});
        e.closed = (Int(j, "flag") & 1) != 0;
    }

    void LightPolyline(const Json& j, Entity& e) {
        e.shape = Shape::Polyline;
        e.closed = (Int(j, "flag") & 1) != 0;
        double w = Num(j, "constantWidth");
        for (const Json& v : Arr(j, "vertices"))
            e.vertices.push_back(
                {Num(v, "x"), Num(v, "y"), Num(v, "bulge"), Num(v, "startWidth", w), Num(v, "endWidth", w)});
    }

    void Polyline(const Json& j, Entity& e) {
        e.shape = Shape::Polyline;
        e.closed = (Int(j, "flag") & 1) != 0;
        for (const Json& v : Arr(j, "vertices")) {
            if (Int(v, "flag") & 16) continue;  // spline frame points
            e.vertices.push_back({Num(v, "x"), Num(v, "y"), Num(v, "bulge"), Num(v, "startWidth", Num(j, "startWidth")),
                                  Num(v, "endWidth", Num(j, "endWidth"))});
        }
    }

    void PlainText(const Json& j, Entity& e) { Text(j, e, j); }

    // An attribute's value is a text at its place; its tag goes into the extended data.
    void Attribute(const Json& j, Entity& e) {
        Text(j, e, Obj(j, "text"));
        e.xdata.push_back({kAttributeApp, {{XDataValue::Type::String, 0, 0, m_text.Utf8ToGbk(Str(j, "tag"))}}});
        if (Int(j, "flags") & 1) e.shape = Shape::Skip, e.skipReason = "invisible attribute";
    }

    void MText(const Json& j, Entity& e) {
        Point2 p = Pt(j, "insertionPoint");
        e.shape = Shape::MText;
        e.text = m_text.Utf8ToGbk(StripMTextFormatting(Str(j, "text")));
        e.height = Num(j, "textHeight"), e.angleDeg = Deg(Num(j, "rotation")),
        e.lineSpacing = Num(j, "lineSpacing", 1) > 0 ? Num(j, "lineSpacing", 1) : 1;  // 0: not given
        e.x = p.x, e.y = p.y;
        int a = std::clamp(Int(j, "attachmentPoint", 1), 1, 9) - 1;
        e.hAlign = a % 3, e.vAlign = 3 - a / 3;
    }

    // A block insert; a dimension is the insert of the block that draws it.
    void Insert(const Json& j, Entity& e) {
        Point2 p = Pt(j, "insertionPoint");
        e.shape = Shape::Insert;
        e.block = m_text.Utf8ToGbk(Str(j, "name"));
        e.x = p.x, e.y = p.y;
        if (e.kind == "INSERT") {
            e.sx = Num(j, "xScale", 1), e.sy = Num(j, "yScale", 1), e.sz = Num(j, "zScale", 1);
            e.angleDeg = Deg(Num(j, "rotation"));
            m_more = InsertArray(e, Int(j, "columnCount", 1), Int(j, "rowCount", 1), Num(j, "columnSpacing"),
                                 Num(j, "rowSpacing"));
        }
        if (e.block.empty())
            e.shape = Shape::Skip,
            e.skipReason = e.kind == "INSERT" ? "insertion without its block" : "dimension without its block";
    }

    // A table is drawn by its block, inserted at its corner along its direction.
    void Table(const Json& j, Entity& e) {
        Point2 p = Pt(j, "startPoint"), d = Pt(j, "directionVector");
        e.shape = Shape::Insert;
        e.block = BlockName(Str(j, "blockRecordHandle"));
        e.x = p.x, e.y = p.y;
        if (d.x != 0 || d.y != 0) e.angleDeg = Deg(std::atan2(d.y, d.x));
        if (e.block.empty()) e.shape = Shape::Skip, e.skipReason = "table without its block";
    }

    void MLine(const Json& j, Entity& e) {
        std::vector<MLineVertex> vertices;
        for (const Json& v : Arr(j, "vertices")) {
            MLineVertex mv{Pt(v, "vertex"), Pt(v, "miterDirection"), {}};
            for (const Json& line : Arr(v, "lines")) {
                const Json& params = Arr(line, "segmentParams");
                mv.offsets.push_back(!params.empty() && params[0].is_number() ? params[0].get<double>() : 0);
            }
            vertices.push_back(std::move(mv));
        }
        std::vector<int> colours;  // the style's, by element, when the reader gives them
        for (const Json& c : Arr(j, "elementColours")) {
            const double index = c.is_number() ? c.get<double>() : kColourByLayer;
            colours.push_back(index >= 0 && index <= kColourByLayer ? static_cast<int>(index) : kColourByLayer);
        }
        MLinePolylines(vertices, (Int(j, "flags") & 2) != 0, colours, e, m_more);
    }

    void Leader(const Json& j, Entity& e) {
        std::vector<Point2> points;
        for (const Json& v : Arr(j, "vertices")) points.push_back({Num(v, "x"), Num(v, "y")});
        // The flag as the reader script read it from the file, else the package's; the leader's
        // dimension style sizes the arrowhead, else the drawing's defaults.
        auto style = m_dimStyles.find(ckw::text::NameKey(m_text.Utf8ToGbk(Str(j, "dimStyle"))));
        const auto [size, scale] =
            style != m_dimStyles.end() ? style->second : std::pair<double, double>{m_arrowSize, m_dimScale};
        const double arrow =
            Bool(j, "arrowheadOn", Bool(j, "isArrowheadEnabled", false)) ? LeaderArrowSize(e.xdata, size, scale) : 0;
        LeaderLine(points, arrow, e, m_more);
    }

    void MultiLeaderJson(const Json& j, Entity& e) {
        MultiLeaderParts m;
        for (const Json& section : Arr(j, "leaderSections")) {
            MultiLeaderParts::Branch b;
            for (const Json& line : Arr(section, "leaderLines")) {
                b.lines.emplace_back();
                for (const Json& v : Arr(line, "vertices")) b.lines.back().push_back({Num(v, "x"), Num(v, "y")});
            }
            b.hasLanding = Bool(section, "lastLeaderLinePointSet", false);
            b.landing = Pt(section, "lastLeaderLinePoint");
            b.doglegDirection = Pt(section, "doglegVector");
            b.doglegLength = Bool(j, "doglegEnabled", true) ? Num(section, "doglegLength") : 0;
            m.branches.push_back(std::move(b));
        }
        m.drawLines = Int(j, "leaderLineType", 1) != 0;
        m.arrowSize = Num(j, "arrowheadSize");
        m.hasText = Bool(j, "hasMText", false);
        m.text = m_text.Utf8ToGbk(StripMTextFormatting(Str(j, "textContent")));
        m.textAt = Pt(j, "textAnchor");
        m.textHeight = Num(j, "textHeight");
        const Point2 direction = Pt(j, "textDirection");
        m.textAngleDeg = direction.x != 0 || direction.y != 0 ? Deg(std::atan2(direction.y, direction.x)) : 0;
        m.attachment = Int(j, "textAttachmentPoint", 1);
        const Json& block = Obj(j, "blockContent");
        m.hasBlock = Bool(j, "hasBlock", false) && !block.empty();
        if (m.hasBlock) {
            m.block = BlockName(Str(block, "blockContentId"));
            m.blockAt = Pt(block, "position");
            const Json& scale = Obj(block, "scale");
            m.blockSx = Num(scale, "x", 1), m.blockSy = Num(scale, "y", 1);
            m.blockAngleDeg = Deg(Num(block, "rotation"));
        }
        MultiLeader(m, e, m_more);
    }

    std::string BlockName(const std::string& handle) const {
        auto it = m_blockNames.find(handle);
        return handle.empty() || it == m_blockNames.end() ? std::string() : it->second;
    }

    void Trace(const Json& j, Entity& e) {
        e.shape = Shape::Trace;
        for (const char* k : {"corner1", "corner2", "corner4", "corner3"}) {
            Point2 p = Pt(j, k);
            e.vertices.push_back({p.x, p.y});
        }
    }

    void Hatch(const Json& j, Entity& e) {
        std::vector<std::vector<Vertex>> loops;
        for (const Json& path : Arr(j, "boundaryPaths")) {
            std::vector<Vertex> loop;
            auto add = [&](double x, double y, double bulge) {
                if (!loop.empty() && loop.back().x == x && loop.back().y == y) {
                    loop.back().bulge = bulge;
                    return;
                }
                loop.push_back({x, y, bulge});
            };
            if (path.contains("vertices")) {
                for (const Json& v : Arr(path, "vertices")) add(Num(v, "x"), Num(v, "y"), Num(v, "bulge"));
            }
            for (const Json& edge : Arr(path, "edges")) {
                int type = Int(edge, "type");
                if (type == 1) {
                    Point2 a = Pt(edge, "start"), b = Pt(edge, "end");
                    add(a.x, a.y, 0), add(b.x, b.y, 0);
                } else if (type == 2) {
                    Point2 c = Pt(edge, "center");
                    double r = Num(edge, "radius"), a1 = Num(edge, "startAngle"), a2 = Num(edge, "endAngle");
                    bool ccw = Bool(edge, "isCCW", true);
                    double sweep = std::fmod(std::abs(a2 - a1), 2 * M_PI);
                    if (sweep == 0) sweep = 2 * M_PI;
                    if (!ccw) a1 = -a1, a2 = -a2, sweep = -sweep;
                    add(c.x + r * std::cos(a1), c.y + r * std::sin(a1), BulgeOfSweep(sweep));
                    add(c.x + r * std::cos(a2), c.y + r * std::sin(a2), 0);
                } else if (type == 3) {
                    Point2 c = Pt(edge, "center"), m = Pt(edge, "end");
                    for (const Vertex& v : EllipseVertices(c.x, c.y, m.x, m.y, Num(edge, "lengthOfMinorAxis", 1),
                                                           Num(edge, "startAngle"), Num(edge, "endAngle")))
                        add(v.x, v.y, 0);
                }
            }
            if (loop.size() >= 2) loops.push_back(std::move(loop));
        }
        if (loops.empty()) {
            e.shape = Shape::Skip, e.skipReason = "hatch without boundary";
            return;
        }
        e.shape = Shape::Polyline;
        e.closed = true;
        e.vertices = std::move(loops[0]);
        for (size_t i = 1; i < loops.size(); ++i) {
            Entity more = e;
            more.kind.clear();
            more.xdata.clear();
            more.vertices = std::move(loops[i]);
            m_more.push_back(std::move(more));
        }
    }

    Drawing& m_d;
    TextDecoder m_text;
    std::vector<Entity> m_more;
    std::map<std::string, std::string> m_blockNames;               // block record handle -> name
    double m_arrowSize = 0.18, m_dimScale = 1;                     // the drawing's dimension defaults
    std::map<std::string, std::pair<double, double>> m_dimStyles;  // name key -> arrow size, scale
};

}  // namespace

bool ParseDwgJson(const std::string& json, Drawing& drawing, std::string& error) {
    drawing = Drawing{};
    Json root = Json::parse(json, nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        error = "the DWG reader printed no drawing";
        return false;
    }
    try {
        JsonSink(drawing).Run(root);
        ToWorld(drawing);
    } catch (const std::exception& e) {
        drawing = Drawing{};
        error = std::string("the DWG reader's output is not understood: ") + e.what();
        return false;
    }
    return true;
}

bool ReadDwg(const std::filesystem::path& file, const DwgReaderSetup& setup, Drawing& drawing, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = "cannot open " + file.string();
        return false;
    }
    if (!std::filesystem::is_regular_file(setup.script, ec)) {
        error = "the DWG reader is not installed (" + setup.script.string() + ")";
        return false;
    }
    ckw::shell::RunResult r =
        ckw::shell::RunAndCapture({"node", setup.script.string(), file.string()}, setup.timeLimit);
    if (!r.started) {
        error = "cannot start Node.js for the DWG reader";
        return false;
    }
    if (r.timedOut) {
        error = "the DWG reader took longer than " + std::to_string(setup.timeLimit.count()) + " s and was stopped";
        return false;
    }
    if (r.exitStatus != 0) {
        while (!r.errors.empty() && (r.errors.back() == '\n' || r.errors.back() == '\r')) r.errors.pop_back();
        size_t nl = r.errors.rfind('\n');
        std::string last = nl == std::string::npos ? r.errors : r.errors.substr(nl + 1);
        error = last.empty() ? "the DWG reader failed" : last;
        return false;
    }
    if (!ParseDwgJson(r.output, drawing, error)) return false;
    // The reader leaves the version blank: the file says it in its first six bytes ("AC1015").
    if (drawing.sourceVersion.empty()) {
        char magic[6] = {};
        std::ifstream(file, std::ios::binary).read(magic, sizeof magic);
        if (std::all_of(magic, magic + 6, [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            drawing.sourceVersion.assign(magic, sizeof magic);
    }
    return true;
}

}  // namespace tdwg
