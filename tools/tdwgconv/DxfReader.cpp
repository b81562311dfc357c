// DXF into the neutral drawing through dxflib. dxflib reports an entity when it meets the group
// that starts the next one, so what we gather from the raw groups (paper space, widths, the
// dimension's block, extended data, text continuation chunks) is kept per entity and handed on
// when the next entity begins.
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <locale>
#include <map>
#include <memory>
#include <new>
#include <tuple>
#include <optional>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Annotations.h"
#include "BinaryDxf.h"
#include "Curves.h"
#include "DxfCounts.h"
#include "DxfWriter.h"
#include "base/GbkText.h"
#include "base/XDataWordCodec.h"
#include "Readers.h"
#include "TextDecode.h"
#include "Transforms.h"

namespace tdwg {
namespace {

// What the raw groups of one entity tell beyond dxflib's callbacks.
struct Extras {
    std::string kind;
    bool paperSpace = false;
    std::string blockName;    // group 2 (a dimension's block)
    std::string description;  // group 4 (a block's description)
    double w40 = 0, w41 = 0, w43 = 0;
    bool has40 = false, has41 = false;                    // a vertex without its own widths takes the polyline's
    std::vector<std::pair<double, double>> vertexWidths;  // per light-polyline vertex
    std::string mtextChunks;                              // group 3
    // A multi-line text's rotation as written (group 50, degrees). dxflib reads it as degrees or
    // radians depending on which program it thinks wrote the file, so it is taken from here.
    std::optional<double> rotation;
    std::vector<XDataApp> xdata;
    long droppedXData = 0;
    std::vector<double> dashes;     // a line type's pattern (group 49)
    int flags = 0;                  // group 70
    double nx = 0, ny = 0, nz = 1;  // extrusion direction (groups 210, 220, 230)
    // A hatch's boundary paths given as polylines (dxflib reads only edge paths): vertices with
    // bulges, by path in file order; edge paths stay empty here.
    struct HatchPath {
        bool polyline = false;
        long count = 0;  // vertices the path says it has
        std::vector<Vertex> vertices;
    };
    std::vector<HatchPath> hatchPaths;
    bool inHatchPaths = false;
    // Every group of a kind dxflib has no callback for (and of the tables and objects those refer
    // to), read when the kind ends.
    std::vector<std::pair<unsigned, std::string>> groups;
};

// Kinds read from their raw groups: drawn here, or looked up by those.
bool ReadFromGroups(std::string_view kind) {
    static constexpr std::array<std::string_view, 8> kKinds{
        "ACAD_TABLE", "ARC_DIMENSION", "MLINE", "MULTILEADER", "LEADER", "MLINESTYLE", "BLOCK_RECORD", "DIMSTYLE"};
    return std::ranges::find(kKinds, kind) != kKinds.end();
}

// The group codes whose values are numbers, as a table: every group of a file is looked up.
constexpr auto kNumericCodes = [] {
    std::array<bool, 1072> numeric{};
    for (auto [first, last] : {std::pair{10, 99},
                               {110, 179},
                               {210, 239},
                               {270, 289},
                               {370, 389},
                               {400, 409},
                               {420, 429},
                               {440, 469},
                               {1010, 1071}})
        for (int code = first; code <= last; ++code) numeric[static_cast<size_t>(code)] = true;
    return numeric;
}();

bool IsNumericCode(unsigned code) { return code < kNumericCodes.size() && kNumericCodes[code]; }

// Kinds whose coordinates are in the object coordinate system of their extrusion direction.
bool InObjectCoordinates(std::string_view kind) {
    static constexpr std::array<std::string_view, 10> kKinds{"ARC",    "CIRCLE", "LWPOLYLINE", "POLYLINE", "TEXT",
                                                             "ATTRIB", "INSERT", "SOLID",      "TRACE",    "HATCH"};
    return std::ranges::find(kKinds, kind) != kKinds.end();
}

// A plain decimal ("-12.5", "0", ".75"): always finite and whole, so it needs no parse. Nearly
// every numeric group of a file is one, and this check runs on each of them.
bool IsPlainDecimal(std::string_view v) {
    size_t i = !v.empty() && v.front() == '-' ? 1 : 0;
    bool digit = false, point = false;
    for (; i < v.size(); ++i) {
        const char c = v[i];
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit && v.size() < 300;  // longer ones could hold more digits than a double's range
}

bool IsNumber(const std::string& v) {
    if (IsPlainDecimal(v)) return true;
    size_t used = 0;
    const double d = ckw::text::ParseNumber(v, &used);
    if (used == 0 || !std::isfinite(d)) return false;
    return v.find_first_not_of(" \t\r", used) == std::string::npos;
}

// dxflib's hatch edge leaves its arc fields unset until their groups come, and a damaged file
// can hand over an arc edge without its direction (group 73): the flag's byte is then whatever
// the memory held, not a valid bool. It is read as a byte, any value but 0 meaning
// counter-clockwise.
bool CounterClockwise(const DL_HatchEdgeData& edge) {
    unsigned char raw = 0;
    std::memcpy(&raw, &edge.ccw, 1);
    return raw != 0;
}

// A value as a message may show it: bytes that are not printable ASCII become '?'.
std::string Printable(std::string s) {
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    return s;
}

// A group's number as the file writes it ('.' decimals, whatever the locale).
double Real(const std::string& v) { return ckw::text::ParseNumber(v); }

// Thrown from inside dxflib's reading to stop it: the file cannot be what it says.
struct DamagedFile {
    std::string message;
};

class DxfSink : public DL_CreationAdapter {
public:
    DxfSink(Drawing& d, std::uintmax_t fileBytes, const EntityBatch& batch)
        : m_d(d), m_fileBytes(fileBytes), m_batch(batch) {}

    std::string error;
    bool sawEof = false;

    // The file's last group closed a section: only the end marker is missing.
    bool EndedAfterASection() const { return m_sections > 0 && !m_inSection && m_pending.kind == "ENDSEC"; }

    void Finish() {
        CloseOpen();
        // Multi-lines take their elements' own colours and their caps from their style, which
        // comes after them. The caps go in after each multi-line's parts, the last first, so that
        // the places of those before stay where they were noted.
        std::sort(m_styledMLines.begin(), m_styledMLines.end(), [](const StyledMLine& a, const StyledMLine& b) {
            return std::tie(a.block, a.first) > std::tie(b.block, b.first);
        });
        for (const StyledMLine& s : m_styledMLines) {
            auto style = m_mlineStyles.find(s.style);
            if (style == m_mlineStyles.end() || s.block >= static_cast<long>(m_d.blocks.size())) continue;
            std::vector<Entity>& list = s.block < 0 ? m_d.entities : m_d.blocks[static_cast<size_t>(s.block)].entities;
            if (s.first + s.count > list.size()) continue;
            const std::vector<int>& colours = style->second.colours;
            for (size_t k = 0; k < s.count && k < colours.size(); ++k)
                if (colours[k] >= 1 && colours[k] <= 255)
                    list[s.first + k].colour = colours[k], list[s.first + k].trueColour = -1;
            std::vector<Entity> caps;
            MLineCaps(s.vertices, style->second.flags, s.flags, s.proto, caps);
            list.insert(list.begin() + static_cast<long>(s.first + s.count), std::make_move_iterator(caps.begin()),
                        std::make_move_iterator(caps.end()));
        }
        m_d.unmappableCharacters = m_text.Unmappable();
    }

    // --- raw groups -------------------------------------------------------------------------
    void processCodeValuePair(unsigned int code, const std::string& value) override {
        // dxflib acts on the group after this: a count it would size an array by is checked first.
        if (code == 0 || code == 9)
            m_countKind = value;
        else if (MaySizeAnArray(code))
            if (std::string why = ImpossibleCount(m_countKind, code, value, m_fileBytes); !why.empty())
                throw DamagedFile{std::move(why)};
        if (code == 0) {
            // Compared as a view: a string compared with a literal calls memcmp even when the
            // lengths differ, and this runs for every entity.
            const std::string_view kind = value;
            m_finished = std::move(m_pending);
            // Made anew in place: a new one assigned would be built and then moved in.
            std::destroy_at(&m_pending);
            std::construct_at(&m_pending);
            m_pending.kind = value;
            m_pendingKind = kind == "HATCH"        ? Kind::Hatch
                            : kind == "LTYPE"      ? Kind::LineType
                            : kind == "LWPOLYLINE" ? Kind::LightPolyline
                                                   : Kind::Other;
            const bool finishedFromGroups = m_collect;  // said of m_finished's kind when it came
            m_collect = ReadFromGroups(kind);
            if (finishedFromGroups) FromGroups();
            if (kind == "SECTION")
                m_expectSectionName = true, ++m_sections;
            else if (kind == "ENDSEC")
                m_inSection = m_inEntities = false;
            else if (kind == "EOF")
                sawEof = true;
            else if (m_inEntities && kind != "VERTEX" && kind != "SEQEND")
                ++m_readCounts.Of(m_d.kinds, value).read;
            return;
        }
        if (m_expectSectionName && code == 2) {
            m_inSection = true;
            m_inEntities = value == "ENTITIES";
            if (value == "TABLES") m_sawTables = true;
            if (value == "BLOCKS") m_sawBlocks = true;
            m_expectSectionName = false;
            return;
        }
        if (IsNumericCode(code) && !IsNumber(value) && error.empty())
            error = "damaged file: group " + std::to_string(code) + " holds \"" + Printable(value.substr(0, 40)) + "\"";
        if (m_collect) m_pending.groups.emplace_back(code, value);
        if (m_pendingKind == Kind::Hatch && HatchPathGroup(code, value)) return;
        if (m_pendingKind == Kind::LineType && code == 49) m_pending.dashes.push_back(Real(value));
        switch (code) {
        case 2:
            m_pending.blockName = value;
            break;
        case 3:
            m_pending.mtextChunks += value;
            break;
        case 4:
            m_pending.description = value;
            break;
        case 40:
            m_pending.w40 = Real(value), m_pending.has40 = true;
            if (!m_pending.vertexWidths.empty()) m_pending.vertexWidths.back().first = m_pending.w40;
            break;
        case 41:
            m_pending.w41 = Real(value), m_pending.has41 = true;
            if (!m_pending.vertexWidths.empty()) m_pending.vertexWidths.back().second = m_pending.w41;
            break;
        case 43:
            m_pending.w43 = Real(value);
            break;
        case 10:
            if (m_pendingKind == Kind::LightPolyline) m_pending.vertexWidths.emplace_back(m_pending.w43, m_pending.w43);
            break;
        case 50:
            m_pending.rotation = Real(value);
            break;
        case 210:
            m_pending.nx = Real(value);
            break;
        case 220:
            m_pending.ny = Real(value);
            break;
        case 230:
            m_pending.nz = Real(value);
            break;
        case 70:
            m_pending.flags = std::atoi(value.c_str());
            break;
        case 67:
            m_pending.paperSpace = std::atoi(value.c_str()) == 1;
            break;
        default:
            break;
        }
    }

    // A group of a hatch's polyline boundary path; true when it was one.
    bool HatchPathGroup(unsigned code, const std::string& value) {
        auto& paths = m_pending.hatchPaths;
        Extras::HatchPath* path = paths.empty() || !m_pending.inHatchPaths ? nullptr : &paths.back();
        const bool polyline = path && path->polyline;
        switch (code) {
        case 91:
            m_pending.inHatchPaths = true;
            return false;
        case 92:
            if (!m_pending.inHatchPaths) return false;
            paths.push_back({(std::atoi(value.c_str()) & 2) != 0, 0, {}});
            return paths.back().polyline;
        case 75:
            m_pending.inHatchPaths = false;
            return false;
        case 93:
            if (polyline) path->count = std::atol(value.c_str());
            return polyline;
        case 10:
            if (!polyline || static_cast<long>(path->vertices.size()) >= path->count) return false;
            path->vertices.push_back({Real(value), 0});
            return true;
        case 20:
            if (!polyline || path->vertices.empty()) return false;
            path->vertices.back().y = Real(value);
            return true;
        case 42:
            if (!polyline || path->vertices.empty()) return false;
            path->vertices.back().bulge = Real(value);
            return true;
        case 72:
        case 73:
            return polyline;
        default:
            return false;
        }
    }

    // --- header and tables --------------------------------------------------------------------
    void setVariableString(const std::string& key, const std::string& value, int) override {
        if (key == "$DWGCODEPAGE") {
            m_text.SetCodePage(value);
            m_d.sourceCodePage = value;
        }
        if (key == "$ACADVER") {
            m_d.sourceVersion = value;
            // AC1021 (2007) and later keep their texts in UTF-8.
            if (value.size() == 6 && value.rfind("AC", 0) == 0 && std::atoi(value.c_str() + 2) >= 1021)
                m_text.SetUtf8(true);
        }
    }
    void setVariableDouble(const std::string& key, double value, int) override {
        if (key == "$DIMASZ") m_arrowSize = value;
        if (key == "$DIMSCALE") m_dimScale = value;
    }
    void setVariableInt(const std::string& key, int value, int) override {
        if (key == "$INSUNITS") m_d.unitToMm = MillimetresPerUnit(value);
    }

    void addLayer(const DL_LayerData& data) override {
        Layer layer;
        layer.name = m_text.ToGbk(data.name);
        layer.colour = attributes.getColor();
        if (data.off && layer.colour > 0) layer.colour = -layer.colour;
        layer.trueColour = attributes.getColor24();
        layer.lineType = m_text.ToGbk(attributes.getLinetype());
        layer.lineWeightMm = attributes.getWidth() > 0 ? attributes.getWidth() / 100.0 : 0;
        m_d.layers.push_back(std::move(layer));
    }
    // dxflib hands on a type's dashes while it reads them, before the type itself: they are taken
    // from the type's own groups instead.
    void addLinetype(const DL_LinetypeData& data) override {
        m_d.lineTypes.push_back({m_text.ToGbk(data.name), m_finished.dashes});
    }

    void addBlock(const DL_BlockData& data) override {
        CloseOpen();
        Block block{m_text.ToGbk(data.name), 0, {}, data.bpx, data.bpy, {}};
        RestoreBlockIdentity(m_text.ToGbk(m_finished.description), block);
        m_d.blocks.push_back(std::move(block));
        m_block = &m_d.blocks.back();
    }
    void endBlock() override {
        CloseOpen();
        m_block = nullptr;
    }

    // --- entities -----------------------------------------------------------------------------
    void addPoint(const DL_PointData& d) override {
        Entity& e = Begin(Shape::Point);
        e.x = d.x, e.y = d.y;
    }
    void addLine(const DL_LineData& d) override {
        Entity& e = Begin(Shape::Line);
        e.vertices = {{d.x1, d.y1}, {d.x2, d.y2}};
    }
    void addXLine(const DL_XLineData&) override { Skip("infinite line"); }
    void addRay(const DL_RayData&) override { Skip("infinite line"); }
    void addArc(const DL_ArcData& d) override {
        Entity& e = Begin(Shape::Arc);
        e.cx = d.cx, e.cy = d.cy, e.radius = d.radius, e.startDeg = d.angle1, e.endDeg = d.angle2;
    }
    void addCircle(const DL_CircleData& d) override {
        Entity& e = Begin(Shape::Circle);
        e.cx = d.cx, e.cy = d.cy, e.radius = d.radius;
    }
    void addEllipse(const DL_EllipseData& d) override {
        Entity& e = Begin(Shape::Polyline);
        e.vertices = EllipseVertices(d.cx, d.cy, d.mx, d.my, d.ratio, d.angle1, d.angle2);
        if (e.vertices.empty()) Reject(e, "degenerate ellipse");
    }
    void addPolyline(const DL_PolylineData& d) override {
        Entity& e = Begin(Shape::Polyline);
        if (d.flags & (16 | 64)) Reject(e, "polygon mesh");
        if (d.flags & 8) e.nx = 0, e.ny = 0, e.nz = 1;  // a 3D polyline is in the drawing's coordinates
        e.closed = (d.flags & 1) != 0;
        m_open = Open::Polyline;
        m_vertexIndex = 0;
        m_defaultWidths = {m_finished.w40, m_finished.w41};
    }
    void addVertex(const DL_VertexData& d) override {
        if (m_open != Open::Polyline) return;
        Entity& e = *m_current;
        Vertex v{d.x, d.y, d.bulge, m_defaultWidths.first, m_defaultWidths.second};
        if (m_finished.kind == "VERTEX") {
            if (m_finished.has40) v.startWidth = m_finished.w40;
            if (m_finished.has41) v.endWidth = m_finished.w41;
        } else if (m_vertexIndex < m_finished.vertexWidths.size()) {
            v.startWidth = m_finished.vertexWidths[m_vertexIndex].first;
            v.endWidth = m_finished.vertexWidths[m_vertexIndex].second;
        }
        ++m_vertexIndex;
        e.vertices.push_back(v);
    }
    void endSequence() override {
        if (m_open == Open::Polyline) CloseOpen();
    }
    void addSpline(const DL_SplineData& d) override {
        Begin(Shape::Polyline);
        m_open = Open::Spline;
        m_spline = SplineParts{};
        m_spline.degree = static_cast<int>(d.degree);
        m_spline.closed = (d.flags & 1) != 0;
    }
    void addKnot(const DL_KnotData& d) override {
        if (m_open == Open::Spline) m_spline.knots.push_back(d.k);
    }
    void addControlPoint(const DL_ControlPointData& d) override {
        if (m_open != Open::Spline) return;
        m_spline.control.push_back({d.x, d.y});
        m_spline.weights.push_back(d.w);
    }
    void addFitPoint(const DL_FitPointData& d) override {
        if (m_open == Open::Spline) m_spline.fit.push_back({d.x, d.y});
    }
    void addInsert(const DL_InsertData& d) override {
        Entity& e = Begin(Shape::Insert);
        e.block = m_text.ToGbk(d.name);
        e.x = d.ipx, e.y = d.ipy, e.sx = d.sx, e.sy = d.sy, e.sz = d.sz, e.angleDeg = d.angle;
        ArrayCopies(e, d.cols, d.rows, d.colSp, d.rowSp);
    }
    void addTrace(const DL_TraceData& d) override { Quad(d); }
    void addSolid(const DL_SolidData& d) override { Quad(d); }
    void add3dFace(const DL_3dFaceData&) override { Skip("3D face"); }
    void addText(const DL_TextData& d) override { Text(Begin(Shape::Text), d); }
    // An attribute's value is a text at its place; its tag goes into the extended data.
    void addAttribute(const DL_AttributeData& d) override {
        Entity& e = Begin(Shape::Text);
        Text(e, d);
        e.xdata.push_back({kAttributeApp, {{XDataValue::Type::String, 0, 0, m_text.ToGbk(d.tag)}}});
        if (m_finished.flags & 1) Reject(e, "invisible attribute");
    }
    void addMText(const DL_MTextData& d) override {
        Entity& e = Begin(Shape::MText);
        e.text = m_text.Utf8ToGbk(StripMTextFormatting(TextUtf8(m_finished.mtextChunks + d.text)));
        e.height = d.height, e.angleDeg = m_finished.rotation ? *m_finished.rotation : d.angle * 180 / M_PI,
        e.lineSpacing = d.lineSpacingFactor > 0 ? d.lineSpacingFactor : 1;
        e.x = d.ipx, e.y = d.ipy;
        int a = d.attachmentPoint >= 1 && d.attachmentPoint <= 9 ? d.attachmentPoint - 1 : 0;
        e.hAlign = a % 3;
        e.vAlign = 3 - a / 3;
    }
    void addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) override { Dimension(); }
    void addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) override { Dimension(); }
    void addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) override { Dimension(); }
    void addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) override { Dimension(); }
    void addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) override { Dimension(); }
    void addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) override { Dimension(); }
    void addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) override { Dimension(); }
    void addLeader(const DL_LeaderData&) override {
        Begin(Shape::Polyline);
        m_open = Open::Leader;
        m_leaderArrow = true;  // unless the leader says otherwise
        m_leaderStyle.clear();
        for (const auto& [code, value] : m_finished.groups) {
            if (code == 71) m_leaderArrow = std::atoi(value.c_str()) != 0;
            if (code == 3) m_leaderStyle = ckw::text::NameKey(m_text.ToGbk(value));
        }
    }
    void addLeaderVertex(const DL_LeaderVertexData& d) override {
        if (m_open == Open::Leader) m_current->vertices.push_back({d.x, d.y});
    }
    void addHatch(const DL_HatchData&) override {
        Begin(Shape::Polyline);
        m_open = Open::Hatch;
        m_hatchLoops.clear();
        m_hatchPaths = std::move(m_finished.hatchPaths);
    }
    void addHatchLoop(const DL_HatchLoopData&) override {
        if (m_open == Open::Hatch) m_hatchLoops.emplace_back();
    }
    void addHatchEdge(const DL_HatchEdgeData& d) override {
        if (m_open != Open::Hatch || m_hatchLoops.empty()) return;
        HatchEdge(d, m_hatchLoops.back());
    }
    void addImage(const DL_ImageData&) override { Skip("raster image"); }

    // --- extended data --------------------------------------------------------------------------
    void addXDataApp(const std::string& app) override { m_pending.xdata.push_back({m_text.ToGbk(app), {}}); }
    void addXDataString(int code, const std::string& value) override {
        if (code == ckw::xdata::kDxfString && !m_pending.xdata.empty())
            m_pending.xdata.back().values.push_back({XDataValue::Type::String, 0, 0, m_text.ToGbk(value)});
        else
            ++m_pending.droppedXData;
    }
    void addXDataReal(int code, double value) override {
        if (code >= ckw::xdata::kDxfReal && code <= ckw::xdata::kDxfScale && !m_pending.xdata.empty())
            m_pending.xdata.back().values.push_back({XDataValue::Type::Real, 0, value, {}});
        else
            ++m_pending.droppedXData;
    }
    void addXDataInt(int code, int value) override {
        if ((code == ckw::xdata::kDxfInteger || code == ckw::xdata::kDxfLong) && !m_pending.xdata.empty())
            m_pending.xdata.back().values.push_back({XDataValue::Type::Int, value, 0, {}});
        else
            ++m_pending.droppedXData;
    }

    // The drawing-level record this program writes into the named objects.
    void addDictionaryEntry(const DL_DictionaryEntryData& d) override {
        if (d.name == ckw::dxf::kDrawingRecordName) m_dataHandle = d.handle;
    }
    void addXRecord(const std::string& handle) override {
        m_inDataRecord = !m_dataHandle.empty() && handle == m_dataHandle;
    }
    void addXRecordInt(int code, int value) override {
        if (m_inDataRecord && code >= 90 && code <= 99) m_d.drawingData.push_back(value);
    }

private:
    enum class Open { None, Polyline, Spline, Leader, Hatch };
    struct SplineParts {
        int degree = 3;
        bool closed = false;
        std::vector<double> knots, weights;
        std::vector<Point2> control, fit;
    };

    std::string TextUtf8(const std::string& raw) const { return m_text.ToUtf8(raw); }

    void Text(Entity& e, const DL_TextData& d) {
        e.text = m_text.Utf8ToGbk(ResolvePercentCodes(TextUtf8(d.text)));
        e.height = d.height, e.widthFactor = d.xScaleFactor > 0 ? d.xScaleFactor : 1;
        e.angleDeg = d.angle * 180 / M_PI;
        bool useFirst =
            (d.hJustification == 0 && d.vJustification == 0) || d.hJustification == 3 || d.hJustification == 5;
        e.x = useFirst ? d.ipx : d.apx, e.y = useFirst ? d.ipy : d.apy;
        e.hAlign = d.hJustification == 1 || d.hJustification == 4 ? 1 : d.hJustification == 2 ? 2 : 0;
        e.vAlign = d.hJustification == 4 ? 2 : (d.vJustification >= 0 && d.vJustification <= 3 ? d.vJustification : 0);
        if (d.hJustification == 3 || d.hJustification == 5) SpanText(e, d.apx, d.apy, d.hJustification == 5);
    }

    // The further copies of an array insert (columns along its rotation, rows across), after it.
    void ArrayCopies(Entity& first, int cols, int rows, double colSpacing, double rowSpacing) {
        std::vector<Entity>& list = m_block ? m_block->entities : m_d.entities;
        std::vector<Entity> copies = InsertArray(first, cols, rows, colSpacing, rowSpacing);
        if (copies.empty()) return;
        for (Entity& copy : copies) list.push_back(std::move(copy));
        m_current = &list.back();
    }

    void HandOn() {
        // Multi-lines take their colours, at the end, from styles the named objects define after them.
        if (!m_batch.take || m_block || !m_inEntities || !m_sawTables || !m_sawBlocks || !m_styledMLines.empty() ||
            m_d.entities.size() < m_batch.size)
            return;
        if (!m_handedOn) {
            for (Block& b : m_d.blocks)
                for (Entity& e : b.entities) ToWorld(e);
            m_handedOn = true;
        }
        for (Entity& e : m_d.entities) ToWorld(e);
        m_batch.take(m_d.entities);
        m_d.entities.clear();
        m_current = nullptr;
    }

    Entity& Begin(Shape shape) {
        CloseOpen();
        HandOn();
        Entity& e = m_block ? m_block->entities.emplace_back() : m_d.entities.emplace_back();
        m_current = &e;
        e.kind = m_finished.kind;
        e.shape = shape;
        e.layer = m_text.NameToGbk(attributes.getLayer());
        e.lineType = m_text.NameToGbk(attributes.getLinetype());
        e.colour = attributes.getColor();
        e.trueColour = attributes.getColor24();
        if (attributes.getWidth() >= 0) e.lineWeightMm = attributes.getWidth() / 100.0;
        e.xdata = std::move(m_finished.xdata);
        if (InObjectCoordinates(e.kind)) e.nx = m_finished.nx, e.ny = m_finished.ny, e.nz = m_finished.nz;
        m_d.droppedXDataValues += m_finished.droppedXData;
        m_finished.droppedXData = 0;
        if (!m_block && m_finished.paperSpace) Reject(e, "paper space");
        return e;
    }
    void Skip(const char* reason) { Reject(Begin(Shape::Skip), reason); }
    static void Reject(Entity& e, const char* reason) {
        e.shape = Shape::Skip;
        if (e.skipReason.empty()) e.skipReason = reason;
    }

    template <typename Q>
    void Quad(const Q& d) {
        Entity& e = Begin(Shape::Trace);
        // Corners come as 1, 2, 3, 4 with 3 and 4 swapped against drawing order.
        e.vertices = {{d.x[0], d.y[0]}, {d.x[1], d.y[1]}, {d.x[3], d.y[3]}, {d.x[2], d.y[2]}};
    }

    void Dimension() {
        Entity& e = Begin(Shape::Insert);
        e.block = m_text.ToGbk(m_finished.blockName);
        if (e.block.empty()) Reject(e, "dimension without its block");
    }

    void HatchEdge(const DL_HatchEdgeData& d, std::vector<Vertex>& loop) {
        auto add = [&](double x, double y, double bulge) {
            if (!loop.empty() && loop.back().x == x && loop.back().y == y) {
                loop.back().bulge = bulge;
                return;
            }
            loop.push_back({x, y, bulge});
        };
        switch (d.type) {
        case 1:
            add(d.x1, d.y1, 0);
            add(d.x2, d.y2, 0);
            break;
        case 2: {
            const bool ccw = CounterClockwise(d);
            double a1 = ccw ? d.angle1 : -d.angle1, a2 = ccw ? d.angle2 : -d.angle2;
            double sweep = std::fmod(std::abs(d.angle2 - d.angle1), 2 * M_PI);
            if (sweep == 0) sweep = 2 * M_PI;
            if (!ccw) sweep = -sweep;
            add(d.cx + d.radius * std::cos(a1), d.cy + d.radius * std::sin(a1), BulgeOfSweep(sweep));
            add(d.cx + d.radius * std::cos(a2), d.cy + d.radius * std::sin(a2), 0);
            break;
        }
        case 3: {
            std::vector<Vertex> pts = EllipseVertices(d.cx, d.cy, d.mx, d.my, d.ratio, d.angle1, d.angle2);
            for (const Vertex& v : pts) add(v.x, v.y, 0);
            break;
        }
        case 4: {
            std::vector<Point2> control;
            for (const auto& c : d.controlPoints)
                if (c.size() >= 2) control.push_back({c[0], c[1]});
            for (const Vertex& v : SplineVertices(static_cast<int>(d.degree), d.knots, control, d.weights))
                add(v.x, v.y, 0);
            break;
        }
        default:
            break;
        }
    }

    // Ends the entity that takes several callbacks (polyline, spline, leader, hatch).
    void CloseOpen() {
        Open open = m_open;
        m_open = Open::None;
        if (open == Open::None || !m_current) return;
        Entity& e = *m_current;
        switch (open) {
        case Open::Spline: {
            std::vector<double> weights = m_spline.weights;
            bool allOne = true;
            for (double w : weights) allOne = allOne && w == 1.0;
            if (allOne) weights.clear();
            if (!m_spline.control.empty())
                e.vertices = SplineVertices(m_spline.degree, m_spline.knots, m_spline.control, weights);
            if (e.vertices.empty())
                for (const Point2& p : m_spline.fit) e.vertices.push_back({p.x, p.y});
            e.closed = m_spline.closed;
            if (e.vertices.size() < 2) Reject(e, "spline without points");
            break;
        }
        case Open::Hatch: {
            // One closed outline per boundary loop: the first stays on this entity, the others follow.
            std::vector<std::vector<Vertex>> loops = std::move(m_hatchLoops);
            m_hatchLoops.clear();
            // Polyline paths: in their place when dxflib gave a loop per path, else after the others.
            const bool byPath = loops.size() == m_hatchPaths.size();
            for (size_t i = 0; i < m_hatchPaths.size(); ++i) {
                if (!m_hatchPaths[i].polyline) continue;
                if (byPath)
                    loops[i] = std::move(m_hatchPaths[i].vertices);
                else
                    loops.push_back(std::move(m_hatchPaths[i].vertices));
            }
            m_hatchPaths.clear();
            std::erase_if(loops, [](const std::vector<Vertex>& l) { return l.size() < 2; });
            if (loops.empty()) {
                Reject(e, "hatch without boundary");
                break;
            }
            e.closed = true;
            e.vertices = std::move(loops[0]);
            std::vector<Entity>& list = m_block ? m_block->entities : m_d.entities;
            Entity proto = e;
            proto.xdata.clear();
            for (size_t i = 1; i < loops.size(); ++i) {
                Entity more = proto;
                more.kind.clear();  // part of the hatch above: not counted again
                more.vertices = std::move(loops[i]);
                list.push_back(std::move(more));
            }
            m_current = nullptr;
            break;
        }
        case Open::Leader: {
            if (e.shape == Shape::Skip) break;
            std::vector<Point2> points;
            for (const Vertex& v : e.vertices) points.push_back({v.x, v.y});
            std::vector<Entity> more;
            // Its dimension style sizes the arrowhead, else the drawing's defaults.
            auto style = m_dimStyles.find(m_leaderStyle);
            const auto [size, scale] =
                style != m_dimStyles.end() ? style->second : std::pair<double, double>{m_arrowSize, m_dimScale};
            LeaderLine(points, m_leaderArrow ? LeaderArrowSize(e.xdata, size, scale) : 0, e, more);
            Continue(std::move(more));
            break;
        }
        default:
            if (e.shape != Shape::Skip && e.vertices.size() < 2) Reject(e, "polyline without vertices");
            break;
        }
    }

    // Parts of the entity just made, after it.
    void Continue(std::vector<Entity>&& more) {
        if (more.empty()) return;
        std::vector<Entity>& list = m_block ? m_block->entities : m_d.entities;
        for (Entity& e : more) list.push_back(std::move(e));
        m_current = &list.back();
    }

    // --- kinds read from their raw groups ------------------------------------------------------
    void FromGroups() {
        const Extras& x = m_finished;
        if (x.kind == "BLOCK_RECORD") {
            std::string handle, name;
            for (const auto& [code, value] : x.groups) {
                if (code == 5 && handle.empty()) handle = value;
                if (code == 2 && name.empty()) name = value;
            }
            if (!handle.empty()) m_blockRecords[handle] = m_text.ToGbk(name);
            return;
        }
        if (x.kind == "MLINESTYLE") {
            MLineStyle(x.groups);
            return;
        }
        if (x.kind == "DIMSTYLE") {  // its arrow size (41) and overall scale (40)
            std::string name;
            std::pair<double, double> size{m_arrowSize, m_dimScale};
            for (const auto& [code, value] : x.groups) {
                if (code == 2 && name.empty()) name = value;
                if (code == 41) size.first = Real(value);
                if (code == 40) size.second = Real(value);
            }
            m_dimStyles[ckw::text::NameKey(m_text.ToGbk(name))] = size;
            return;
        }
        if (x.kind == "LEADER" || (!m_inEntities && !m_block)) return;
        // dxflib leaves its attributes at the entity before: this one's are taken from its groups.
        std::string layer = "0", lineType = "BYLAYER";
        int colour = kColourByLayer, colour24 = -1, width = -1;
        bool seen[5] = {};
        for (const auto& [code, value] : x.groups) {
            const int n = std::atoi(value.c_str());
            if (code == 8 && !seen[0]) layer = value, seen[0] = true;
            if (code == 6 && !seen[1]) lineType = value, seen[1] = true;
            if (code == 62 && !seen[2]) colour = n, seen[2] = true;
            if (code == 420 && !seen[3]) colour24 = n, seen[3] = true;
            if (code == 370 && !seen[4]) width = n, seen[4] = true;
        }
        attributes = DL_Attributes(layer, colour, colour24, width, lineType);
        if (x.kind == "MLINE") return MLine(x.groups);
        if (x.kind == "MULTILEADER") return MultiLeaderFromGroups(x.groups);
        // A table and an arc dimension are drawn by their block: the table's at its insertion
        // point along its direction, the dimension's where it stands.
        Entity& e = Begin(Shape::Insert);
        std::optional<double> x10, y20, x11, y21;
        for (const auto& [code, value] : x.groups) {
            if (code == 2 && e.block.empty()) e.block = m_text.ToGbk(value);
            if (code == 10 && !x10) x10 = Real(value);
            if (code == 20 && !y20) y20 = Real(value);
            if (code == 11 && !x11) x11 = Real(value);
            if (code == 21 && !y21) y21 = Real(value);
        }
        if (x.kind == "ACAD_TABLE") {
            e.x = x10.value_or(0), e.y = y20.value_or(0);
            if (x11 && y21 && (*x11 != 0 || *y21 != 0)) e.angleDeg = std::atan2(*y21, *x11) * 180 / M_PI;
        }
        if (e.block.empty())
            Reject(e, x.kind == "ACAD_TABLE" ? "table without its block" : "dimension without its block");
    }

    // A multi-line style's element colours, by its name, for the multi-lines that use it.
    void MLineStyle(const std::vector<std::pair<unsigned, std::string>>& groups) {
        std::string name;
        MLineStyleInfo style;
        bool elements = false, flags = false;
        for (const auto& [code, value] : groups) {
            if (code == 2 && name.empty()) name = value;
            if (code == 70 && !flags) style.flags = std::atoi(value.c_str()), flags = true;
            if (code == 71) elements = true;
            if (code == 62 && elements) style.colours.push_back(std::atoi(value.c_str()));
        }
        m_mlineStyles[ckw::text::NameKey(m_text.ToGbk(name))] = std::move(style);
    }

    void MLine(const std::vector<std::pair<unsigned, std::string>>& groups) {
        Entity& e = Begin(Shape::Polyline);
        std::vector<MLineVertex> vertices;
        std::string style;
        int flags = 0;
        bool firstParameter = false;
        for (const auto& [code, value] : groups) {
            switch (code) {
            case 2:
                style = m_text.ToGbk(value);
                break;
            case 71:
                flags = std::atoi(value.c_str());
                break;
            case 11:
                vertices.push_back({{Real(value), 0}, {}, {}});
                break;
            case 21:
                if (!vertices.empty()) vertices.back().at.y = Real(value);
                break;
            case 13:
                if (!vertices.empty()) vertices.back().miter.x = Real(value);
                break;
            case 23:
                if (!vertices.empty()) vertices.back().miter.y = Real(value);
                break;
            case 74:  // an element's parameters follow; the first is its offset along the miter
                firstParameter = true;
                if (!vertices.empty()) vertices.back().offsets.push_back(0);
                break;
            case 41:
                if (firstParameter && !vertices.empty() && !vertices.back().offsets.empty())
                    vertices.back().offsets.back() = Real(value);
                firstParameter = false;
                break;
            default:
                break;
            }
        }
        const Entity proto = e;
        std::vector<Entity> more;
        MLinePolylines(vertices, (flags & 2) != 0, {}, e, more);
        // The styles come after the entities: their colours and caps are given when the file has been read.
        const size_t count = 1 + more.size();
        std::vector<Entity>& list = m_block ? m_block->entities : m_d.entities;
        const size_t first = list.size() - 1;
        const bool drawn = e.shape != Shape::Skip;  // `e` is in the list the parts may move
        Continue(std::move(more));
        if (drawn)
            m_styledMLines.push_back({m_block ? static_cast<long>(m_block - m_d.blocks.data()) : -1L, first, count,
                                      ckw::text::NameKey(style), std::move(vertices), flags, proto});
    }

    void MultiLeaderFromGroups(const std::vector<std::pair<unsigned, std::string>>& groups) {
        Entity& e = Begin(Shape::Polyline);
        MultiLeaderParts m;
        enum class In { Entity, Context, Leader, Line } in = In::Entity;
        bool contextDone = false;
        double contentArrowSize = 0, entityArrowSize = 0;
        std::string blockHandle;
        Point2 textDirection{1, 0};
        auto branch = [&]() -> MultiLeaderParts::Branch& { return m.branches.back(); };
        for (const auto& [code, value] : groups) {
            const double r = IsNumericCode(code) ? Real(value) : 0;
            const int n = std::atoi(value.c_str());
            if (code == 300)
                in = In::Context;
            else if (code == 302 && in == In::Context)
                in = In::Leader, m.branches.emplace_back();
            else if (code == 304 && in == In::Leader)
                in = In::Line, branch().lines.emplace_back();
            else if (code == 305 && in == In::Line)
                in = In::Leader;
            else if (code == 303 && in == In::Leader)
                in = In::Context;
            else if (code == 301 && in == In::Context)
                in = In::Entity, contextDone = true;
            else if (in == In::Line) {
                if (code == 10) branch().lines.back().push_back({r, 0});
                if (code == 20 && !branch().lines.back().empty()) branch().lines.back().back().y = r;
            } else if (in == In::Leader) {
                if (code == 290) branch().hasLanding = n != 0;
                if (code == 10) branch().landing.x = r;
                if (code == 20) branch().landing.y = r;
                if (code == 11) branch().doglegDirection.x = r;
                if (code == 21) branch().doglegDirection.y = r;
                if (code == 40) branch().doglegLength = r;
            } else if (in == In::Context) {
                if (code == 41) m.textHeight = r;
                if (code == 140) contentArrowSize = r;
                if (code == 290) m.hasText = n != 0;
                if (code == 304) m.text = m_text.Utf8ToGbk(StripMTextFormatting(TextUtf8(value)));
                if (code == 12) m.textAt.x = r;
                if (code == 22) m.textAt.y = r;
                if (code == 13) textDirection.x = r;
                if (code == 23) textDirection.y = r;
                if (code == 171) m.attachment = n;
                if (code == 296) m.hasBlock = n != 0;
                if (code == 341) blockHandle = value;
                if (code == 15) m.blockAt.x = r;
                if (code == 25) m.blockAt.y = r;
                if (code == 16) m.blockSx = r;
                if (code == 26) m.blockSy = r;
                if (code == 46) m.blockAngleDeg = r * 180 / M_PI;
            } else if (contextDone) {
                if (code == 170) m.drawLines = n != 0;
                if (code == 42) entityArrowSize = r;
                if (code == 291 && n == 0)
                    for (auto& b : m.branches) b.doglegLength = 0;
            }
        }
        m.arrowSize = contentArrowSize > 0 ? contentArrowSize : entityArrowSize;
        m.textAngleDeg = std::atan2(textDirection.y, textDirection.x) * 180 / M_PI;
        if (auto it = m_blockRecords.find(blockHandle); it != m_blockRecords.end()) m.block = it->second;
        std::vector<Entity> more;
        MultiLeader(m, e, more);
        Continue(std::move(more));
    }

    Drawing& m_d;
    std::uintmax_t m_fileBytes;
    const EntityBatch& m_batch;
    bool m_sawTables = false, m_sawBlocks = false, m_handedOn = false;
    std::string m_countKind;
    TextDecoder m_text;
    Extras m_pending, m_finished;
    bool m_inSection = false, m_inEntities = false;  // a section named, and that it is ENTITIES
    // The kinds whose groups are read here as they come (the pending entity's).
    enum class Kind { Other, Hatch, LineType, LightPolyline } m_pendingKind = Kind::Other;
    KindCounts m_readCounts;
    bool m_expectSectionName = false;
    int m_sections = 0;
    Block* m_block = nullptr;
    Entity* m_current = nullptr;
    Open m_open = Open::None;
    size_t m_vertexIndex = 0;
    std::pair<double, double> m_defaultWidths;
    SplineParts m_spline;
    std::vector<std::vector<Vertex>> m_hatchLoops;
    std::vector<Extras::HatchPath> m_hatchPaths;
    std::string m_dataHandle;
    bool m_inDataRecord = false;
    bool m_collect = false;
    bool m_leaderArrow = false;
    double m_arrowSize = 0.18, m_dimScale = 1;                     // the drawing's dimension defaults
    std::map<std::string, std::pair<double, double>> m_dimStyles;  // name key -> arrow size, scale
    std::string m_leaderStyle;
    std::map<std::string, std::string> m_blockRecords;  // handle -> block name
    struct MLineStyleInfo {
        std::vector<int> colours;  // by element
        int flags = 0;             // its caps among them
    };
    std::map<std::string, MLineStyleInfo> m_mlineStyles;  // by name key
    struct StyledMLine {
        long block;  // -1: the model
        size_t first, count;
        std::string style;
        std::vector<MLineVertex> vertices;
        int flags;
        Entity proto;  // the multi-line's own attributes
    };
    std::vector<StyledMLine> m_styledMLines;
};

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// What dxflib's in() does, with the file and the locale in our hands, so that a read stopped by
// an exception still closes the one and puts the other back. in() on an empty file sets the
// parser's state up as for a new file. false: the file cannot be opened.
bool ReadGroups(DL_Dxf& dxf, const std::string& path, DL_CreationInterface& sink) {
    DL_CreationAdapter none;
    dxf.in("/dev/null", &none);
    File file(std::fopen(path.c_str(), "rt"), &std::fclose);
    if (!file) return false;
    struct GlobalLocale {
        std::locale old = std::locale::global(std::locale::classic());  // numbers with '.' decimals
        ~GlobalLocale() { std::locale::global(old); }
    } classic;
    while (dxf.readDxfGroups(file.get(), &sink)) {}
    return true;
}

// Reads the DXF file at `path` (a name dxflib can open) into the drawing.
bool Run(const std::string& path, Drawing& drawing, std::string& error, const EntityBatch& batch) {
    drawing = Drawing{};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    struct stat info {};
    if (fstat(fileno(file), &info) != 0) error = "cannot read " + path;
    char head[kBinaryDxfSentinel.size()] = {};
    const size_t got = std::fread(head, 1, sizeof head, file);
    if (error.empty() && IsBinaryDxf(std::string_view(head, got))) {
        // The binary form is read as the text it stands for.
        std::string bytes(static_cast<size_t>(info.st_size), '\0'), text;
        std::rewind(file);
        const bool read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
        std::fclose(file);
        if (!read) {
            error = "cannot read " + path;
            return false;
        }
        if (!BinaryDxfToText(bytes, text, error)) return false;
        return ReadDxfBytes(text, drawing, error, batch);
    }
    std::fclose(file);
    if (error.empty() && info.st_size == 0) error = "the file is empty";
    if (!error.empty()) return false;
    try {
        auto sink = std::make_unique<DxfSink>(drawing, static_cast<std::uintmax_t>(info.st_size), batch);
        DL_Dxf dxf;
        bool ok = ReadGroups(dxf, path, *sink);
        sink->Finish();
        ToWorld(drawing);
        if (!ok)
            error = "not a DXF file";
        else if (!sink->error.empty())
            error = sink->error;
        else if (!sink->sawEof && !sink->EndedAfterASection())
            error = "damaged file: it ends early (no EOF marker)";
        else {
            if (!sink->sawEof)
                drawing.warnings.push_back("the file ends without its EOF marker after its last section");
            return true;
        }
    } catch (const DamagedFile& e) {
        error = e.message;
    } catch (const std::bad_alloc&) {
        error = "damaged file: a count in it asks for more memory than there is";
    } catch (const std::exception& e) {
        error = std::string("damaged file: ") + e.what();
    }
    drawing = Drawing{};
    return false;
}

}  // namespace

bool ReadDxf(const std::filesystem::path& file, Drawing& drawing, std::string& error, const EntityBatch& batch) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = "cannot open " + file.string();
        return false;
    }
    return Run(file.string(), drawing, error, batch);
}

bool ReadDxfBytes(const std::string& bytes, Drawing& drawing, std::string& error, const EntityBatch& batch) {
    // dxflib hands the raw groups on only when it reads a file, so the bytes become one in memory.
    int fd = memfd_create("dxf", MFD_CLOEXEC);
    if (fd < 0) {
        error = "cannot make a file in memory";
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    bool ok = done == bytes.size();
    if (ok) {
        ok = Run("/proc/self/fd/" + std::to_string(fd), drawing, error, batch);
    } else {
        error = "cannot make a file in memory";
    }
    close(fd);
    return ok;
}

void RestoreBlockIdentity(const std::string& description, Block& block) {
    static const std::string kMark = "CKW_BLOCK ";
    if (description.rfind(kMark, 0) != 0) return;
    const char* s = description.c_str() + kMark.size();
    char* end = nullptr;
    long number = std::strtol(s, &end, 10);
    if (end == s || number <= 0 || number > 1000000 || *end != ' ') return;
    block.number = static_cast<int>(number);
    block.engineName = end + 1;
}

double MillimetresPerUnit(int insUnits) {
    switch (insUnits) {
    case 1:
        return 25.4;  // inches
    case 2:
        return 304.8;  // feet
    case 3:
        return 1609344.0;  // miles
    case 5:
        return 10.0;  // centimetres
    case 6:
        return 1000.0;  // metres
    case 7:
        return 1e6;  // kilometres
    case 8:
        return 25.4e-6;  // microinches
    case 9:
        return 0.0254;  // mils
    case 10:
        return 914.4;  // yards
    case 13:
        return 1e-3;  // microns
    case 14:
        return 100.0;  // decimetres
    default:
        return 1.0;  // unitless, millimetres and the rest
    }
}

}  // namespace tdwg
