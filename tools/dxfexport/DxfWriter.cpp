#include "DxfWriter.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <array>
#include <fstream>
#include <set>
#include <sstream>

#include <ckw/ReferenceEngine.h>
#include "DrawingShift.h"
#include "base/GbkText.h"
#include "base/XDataParser.h"
#include "base/XDataWordCodec.h"

namespace ckw::dxf {

// Symbol names may not hold <>/\":;?*|=` (GBK trail bytes can be '\\' or '|': walk characters).
std::string SymbolName(const std::string& gbk, const std::string& fallback) {
    std::string out;
    for (size_t i = 0; i < gbk.size();) {
        size_t n = text::CharLength(gbk, i);
        if (n == 1) {
            char c = gbk[i];
            out += (std::string_view("<>/\\\":;?*|=`").find(c) != std::string_view::npos ||
                    static_cast<unsigned char>(c) < 0x20)
                       ? '_'
                       : c;
        } else {
            out.append(gbk, i, n);
        }
        i += n;
    }
    out = text::Trim(out);
    return out.empty() ? fallback : out;
}

namespace {
namespace eng = ckw::engine;

constexpr int kStandardLineWeights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                        53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};

// Lineweight group value (hundredths of a millimetre, a standard step) of a width code.
int LineWeight(int widthCode) {
    if (widthCode <= 0) return -1;  // by layer
    int hundredths = widthCode / 10;
    int best = 0;
    for (int w : kStandardLineWeights)
        if (std::abs(w - hundredths) < std::abs(best - hundredths)) best = w;
    return best;
}

// Shortest text that reads back as the same float.
std::string Num(double v) { return text::FormatGeneral(v, 9); }

std::string Exact(double v) { return text::FormatGeneral(v, 17); }

class Writer {
public:
    Writer(const eng::Drawing& d, ExportCounts* counts)
        : m_d(d), m_counts(counts), m_recorded(RecordedShift(d.Data())) {}

    std::string Run() {
        CollectTables();
        // Handles 1..F are fixed: tables, model and paper space, the named objects.
        m_next = 0x100;
        Header();
        Tables();
        Blocks();
        Entities();
        Objects();
        m_out << "0\nEOF\n";
        std::string text = m_out.str();
        // The handle seed is known only at the end.
        size_t at = text.find("$HANDSEED\n5\n");
        if (at != std::string::npos) {
            char seed[17];
            std::snprintf(seed, sizeof seed, "%08X", m_next);
            text.replace(at + 12, 8, seed);
        }
        return text;
    }

private:
    // --- groups -------------------------------------------------------------------------------
    void G(int code, const std::string& value) { m_out << code << "\n" << value << "\n"; }
    void G(int code, int value) { m_out << code << "\n" << value << "\n"; }
    void R(int code, double value) { m_out << code << "\n" << Num(value) << "\n"; }
    // A position: in model space where the source had it (the shift the drawing keeps added
    // back), in full, as a survey coordinate needs more digits than a float has.
    void X(int code, double value) { Position(code, value, m_shift.x); }
    void Y(int code, double value) { Position(code, value, m_shift.y); }
    void Position(int code, double value, double shift) { m_out << code << "\n" << PositionText(value, shift) << "\n"; }
    static std::string PositionText(double value, double shift) {
        return shift == 0 ? Num(value) : Exact(value + shift);
    }
    // A position as a reader gets it from the file.
    double WrittenX(double value) const { return text::ParseNumber(PositionText(value, m_shift.x)); }
    double WrittenY(double value) const { return text::ParseNumber(PositionText(value, m_shift.y)); }
    std::string Handle() {
        char buf[17];
        std::snprintf(buf, sizeof buf, "%X", m_next++);
        return buf;
    }
    static std::string Hex(unsigned h) {
        char buf[17];
        std::snprintf(buf, sizeof buf, "%X", h);
        return buf;
    }

    // --- names ---------------------------------------------------------------------------------
    void CollectTables() {
        for (size_t i : m_d.LayerEntries()) {
            const eng::Entity& e = m_d.Entities()[i];
            m_layerNames[e.attributes[0]] = SymbolName(e.text, std::to_string(e.attributes[0]));
        }
        auto noteLayer = [&](const eng::Entity& e) {
            if (IsDrawnKind(e.kind)) m_usedLayers.insert(e.Layer());
        };
        for (const eng::Entity& e : m_d.Entities())
            if (!e.deleted) noteLayer(e);
        for (const auto& [n, b] : m_d.Blocks())
            for (const eng::Entity& e : b.entities) noteLayer(e);
        std::set<std::string> taken;
        for (const eng::Entity& e : m_d.Entities()) {
            if (e.deleted || e.kind != eng::kLineTypeEntry) continue;
            m_lineTypeNames[e.attributes[0]] = SymbolName(e.text, "LT" + std::to_string(e.attributes[0]));
        }
        for (const auto& [n, b] : m_d.Blocks()) {
            std::string name = SymbolName(b.name, "CKW_BLOCK_" + std::to_string(n));
            if (name[0] == '*') name[0] = '_';
            std::string unique = name;
            for (int k = 2; !taken.insert(text::NameKey(unique)).second; ++k) unique = name + "_" + std::to_string(k);
            m_blockNames[n] = unique;
        }
        auto noteApps = [&](const eng::Entity& e) {
            for (const std::string& app : eng::XDataApplications(e.xdata)) m_apps.insert(SymbolName(app, "CKW"));
        };
        for (const eng::Entity& e : m_d.Entities()) noteApps(e);
        for (const auto& [n, b] : m_d.Blocks())
            for (const eng::Entity& e : b.entities) noteApps(e);
    }

    std::string LayerName(int number) const {
        auto it = m_layerNames.find(number);
        return it != m_layerNames.end() ? it->second : std::to_string(number);
    }
    std::string LineTypeName(int number) const {
        if (number <= 1) return "Continuous";
        auto it = m_lineTypeNames.find(number);
        return it != m_lineTypeNames.end() ? it->second : "Continuous";
    }

    // --- sections ------------------------------------------------------------------------------
    void Header() {
        G(0, "SECTION"), G(2, "HEADER");
        G(9, "$ACADVER"), G(1, "AC1015");
        G(9, "$DWGCODEPAGE"), G(3, "ANSI_936");
        G(9, "$INSUNITS"), G(70, 4);
        G(9, "$HANDSEED"), G(5, "00000000");
        G(0, "ENDSEC");
        G(0, "SECTION"), G(2, "CLASSES"), G(0, "ENDSEC");
    }

    void TableStart(const char* name, unsigned handle, int count) {
        G(0, "TABLE"), G(2, name), G(5, Hex(handle)), G(330, "0"), G(100, "AcDbSymbolTable"), G(70, count);
    }
    void Record(const char* kind, unsigned table, const char* subclass) {
        G(0, kind), G(5, Handle()), G(330, Hex(table)), G(100, "AcDbSymbolTableRecord"), G(100, subclass);
    }

    void Tables() {
        G(0, "SECTION"), G(2, "TABLES");
        ViewportTable();
        LineTypeTable();
        LayerTable();
        TableStart("STYLE", 4, 1);
        Record("STYLE", 4, "AcDbTextStyleTableRecord");
        G(2, "Standard"), G(70, 0), R(40, 0), R(41, 1), R(50, 0), G(71, 0), R(42, 2.5), G(3, "txt"), G(4, "");
        G(0, "ENDTAB");
        TableStart("VIEW", 5, 0), G(0, "ENDTAB");
        TableStart("UCS", 6, 0), G(0, "ENDTAB");
        AppIdTable();
        G(0, "TABLE"), G(2, "DIMSTYLE"), G(5, "8"), G(330, "0"), G(100, "AcDbSymbolTable"), G(70, 1);
        G(100, "AcDbDimStyleTable"), G(71, 0);
        G(0, "DIMSTYLE"), G(105, Handle()), G(330, "8"), G(100, "AcDbSymbolTableRecord"),
            G(100, "AcDbDimStyleTableRecord");
        G(2, "Standard"), G(70, 0);
        G(0, "ENDTAB");
        BlockRecordTable();
        G(0, "ENDSEC");
    }

    // The active viewport shows the drawing's extents.
    void ViewportTable() {
        TableStart("VPORT", 1, 1);
        Record("VPORT", 1, "AcDbViewportTableRecord");
        G(2, "*Active"), G(70, 0);
        std::array<float, 4> box{};
        bool any = m_d.Extents(box);
        // Centred on the drawing where the export puts it (a survey drawing lies far from the origin).
        const double cx = any ? (box[0] + box[2]) / 2.0 : 0, cy = any ? (box[1] + box[3]) / 2.0 : 0;
        R(10, 0), R(20, 0), R(11, 1), R(21, 1);
        G(12, PositionText(cx, m_recorded.x)), G(22, PositionText(cy, m_recorded.y));
        R(13, 0), R(23, 0), R(14, 10), R(24, 10);
        R(15, 10), R(25, 10), R(16, 0), R(26, 0), R(36, 1), R(17, 0), R(27, 0), R(37, 0);
        R(40, any ? std::max(box[3] - box[1], 1.0f) * 1.1 : 1000), R(41, 1.5), R(42, 50), R(43, 0), R(44, 0), R(50, 0),
            R(51, 0);
        G(71, 0), G(72, 100), G(73, 1), G(74, 3), G(75, 0), G(76, 0), G(77, 0), G(78, 0);
        G(0, "ENDTAB");
    }

    // The three line types every reader expects, then the drawing's own with their dashes.
    void LineTypeTable() {
        TableStart("LTYPE", 2, static_cast<int>(3 + m_lineTypeNames.size()));
        for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
            Record("LTYPE", 2, "AcDbLinetypeTableRecord");
            G(2, name), G(70, 0), G(3, name == std::string("Continuous") ? "Solid line" : ""), G(72, 65), G(73, 0),
                R(40, 0);
        }
        for (const auto& [number, name] : m_lineTypeNames) {
            std::vector<float> dashes = m_d.LineTypeDashes(number);
            Record("LTYPE", 2, "AcDbLinetypeTableRecord");
            double total = 0;
            for (float d : dashes) total += std::abs(d);
            G(2, name), G(70, 0), G(3, ""), G(72, 65), G(73, static_cast<int>(dashes.size())), R(40, total);
            for (float d : dashes) R(49, d), G(74, 0);
        }
        G(0, "ENDTAB");
    }

    // Every layer used or named, and layer "0" which a DXF must have; a layer switched off has
    // its colour negative.
    void LayerTable() {
        std::set<int> layers(m_usedLayers);
        for (const auto& [n, name] : m_layerNames) layers.insert(n);
        bool hasZero = false;
        for (int n : layers) hasZero = hasZero || LayerName(n) == "0";
        TableStart("LAYER", 3, static_cast<int>(layers.size() + (hasZero ? 0 : 1)));
        if (!hasZero) {
            Record("LAYER", 3, "AcDbLayerTableRecord");
            G(2, "0"), G(70, 0), G(62, 7), G(6, "Continuous"), G(370, -3), G(390, "F");
        }
        for (int n : layers) {
            std::optional<eng::LayerInfo> info = m_d.Layer(n);
            int colour = info && info->colour >= 1 && info->colour <= 255 ? info->colour : 7;
            Record("LAYER", 3, "AcDbLayerTableRecord");
            G(2, LayerName(n)), G(70, 0), G(62, info && info->flag == 1 ? -colour : colour);
            G(6, LineTypeName(info ? info->lineType : 1));
            int lw = info ? LineWeight(info->widthCode) : -1;
            G(370, lw < 0 ? -3 : lw), G(390, "F");
        }
        G(0, "ENDTAB");
    }

    void AppIdTable() {
        TableStart("APPID", 7, static_cast<int>(1 + m_apps.size()));
        std::set<std::string> apps(m_apps);
        apps.insert("ACAD");
        for (const std::string& app : apps) {
            Record("APPID", 7, "AcDbRegAppTableRecord");
            G(2, app), G(70, 0);
        }
        G(0, "ENDTAB");
    }

    // Model and paper space, then one record per block; the handles are kept for the blocks.
    void BlockRecordTable() {
        TableStart("BLOCK_RECORD", 9, static_cast<int>(2 + m_blockNames.size()));
        m_modelRecord = Handle();
        G(0, "BLOCK_RECORD"), G(5, m_modelRecord), G(330, "9"), G(100, "AcDbSymbolTableRecord");
        G(100, "AcDbBlockTableRecord"), G(2, "*Model_Space"), G(340, "0");
        m_paperRecord = Handle();
        G(0, "BLOCK_RECORD"), G(5, m_paperRecord), G(330, "9"), G(100, "AcDbSymbolTableRecord");
        G(100, "AcDbBlockTableRecord"), G(2, "*Paper_Space"), G(340, "0");
        for (const auto& [n, name] : m_blockNames) {
            m_blockRecords[n] = Handle();
            G(0, "BLOCK_RECORD"), G(5, m_blockRecords[n]), G(330, "9"), G(100, "AcDbSymbolTableRecord");
            G(100, "AcDbBlockTableRecord"), G(2, name), G(340, "0");
        }
        G(0, "ENDTAB");
    }

    // The description keeps the engine's number and name of the block for reading back.
    void BlockFrame(const std::string& name, const std::string& record, const eng::Block* block) {
        G(0, "BLOCK"), G(5, Handle()), G(330, record), G(100, "AcDbEntity"), G(8, "0"), G(100, "AcDbBlockBegin");
        G(2, name), G(70, 0), R(10, 0), R(20, 0), R(30, 0), G(3, name), G(1, "");
        if (block) G(4, "CKW_BLOCK " + std::to_string(block->number) + " " + OneLine(block->name));
        const std::vector<eng::Entity>* content = block ? &block->entities : nullptr;
        if (content)
            for (const eng::Entity& e : *content) Entity(e, record, false);
        G(0, "ENDBLK"), G(5, Handle()), G(330, record), G(100, "AcDbEntity"), G(8, "0"), G(100, "AcDbBlockEnd");
    }

    void Blocks() {
        G(0, "SECTION"), G(2, "BLOCKS");
        BlockFrame("*Model_Space", m_modelRecord, nullptr);
        BlockFrame("*Paper_Space", m_paperRecord, nullptr);
        for (const auto& [n, b] : m_d.Blocks()) BlockFrame(m_blockNames[n], m_blockRecords[n], &b);
        G(0, "ENDSEC");
    }

    void Entities() {
        G(0, "SECTION"), G(2, "ENTITIES");
        for (const eng::Entity& e : m_d.Entities())
            if (!e.deleted && IsDrawnKind(e.kind)) Entity(e, m_modelRecord, true);
        G(0, "ENDSEC");
    }

    void Objects() {
        G(0, "SECTION"), G(2, "OBJECTS");
        G(0, "DICTIONARY"), G(5, "C"), G(330, "0"), G(100, "AcDbDictionary"), G(281, 1);
        G(3, "ACAD_GROUP"), G(350, "D");
        if (!m_d.Data().empty()) G(3, kDrawingRecordName), G(350, "E");
        G(0, "DICTIONARY"), G(5, "D"), G(102, "{ACAD_REACTORS"), G(330, "C"), G(102, "}"), G(330, "C");
        G(100, "AcDbDictionary"), G(281, 1);
        if (!m_d.Data().empty()) {
            G(0, "XRECORD"), G(5, "E"), G(102, "{ACAD_REACTORS"), G(330, "C"), G(102, "}"), G(330, "C");
            G(100, "AcDbXrecord"), G(280, 1);
            for (int32_t w : m_d.Data()) G(90, w);
        }
        G(0, "ENDSEC");
    }

    // --- entities ------------------------------------------------------------------------------
    void Common(const eng::Entity& e, const char* kind, const std::string& owner, const char* subclass) {
        G(0, kind), G(5, Handle()), G(330, owner), G(100, "AcDbEntity");
        G(8, LayerName(e.Layer()));
        std::optional<eng::LayerInfo> layer = m_d.Layer(e.Layer());
        if (e.LineType() > 1 && (!layer || layer->lineType != e.LineType())) G(6, LineTypeName(e.LineType()));
        if (e.Colour() >= 1 && e.Colour() <= 255) G(62, e.Colour());
        int lw = LineWeight(e.WidthCode());
        if (lw >= 0) G(370, lw);
        G(100, subclass);
    }

    // Only what a DXF group can hold: finite reals, strings on one line of at most 255 bytes.
    void XData(const eng::Entity& e) {
        if (e.xdata.empty()) return;
        for (const xdata::ParsedBlock& block : xdata::ReadAllBlocks(e.xdata)) {
            G(xdata::kDxfAppName, SymbolName(block.name, "CKW"));
            for (const xdata::ParsedItem& item : block.items) {
                if (item.type == xdata::kIntegerCode)
                    G(xdata::kDxfLong, item.value);
                else if (item.type == xdata::kRealCode) {
                    float f;
                    std::memcpy(&f, &item.value, sizeof f);
                    if (std::isfinite(f)) R(xdata::kDxfReal, f);
                } else if (item.type == xdata::kStringCode) {
                    G(xdata::kDxfString, Cut(OneLine(item.text), 255));
                }
            }
        }
    }

    // The longest start of `gbk` within `bytes`, never splitting a character.
    static std::string Cut(const std::string& gbk, size_t bytes) {
        size_t len = 0;
        while (len < gbk.size()) {
            size_t n = text::CharLength(gbk, len);
            if (len + n > bytes) break;
            len += n;
        }
        return gbk.substr(0, len);
    }

    void Count(const char* kind, bool modelSpace) {
        if (m_counts && modelSpace) ++m_counts->written[kind];
    }

    static bool Need(const eng::Entity& e, size_t n) { return e.values.size() >= n; }

    // Writes the entity as the DXF entity its kind stands for (EntityKinds.def); what cannot be
    // written (too few values, an unknown block, a kind DXF has no entity for) is counted as skipped.
    void Entity(const eng::Entity& e, const std::string& owner, bool modelSpace) {
        // No reader takes an infinite or undefined number: such an entity stays out, counted.
        if (!std::all_of(e.values.begin(), e.values.end(), [](float x) { return std::isfinite(x); })) {
            if (m_counts && modelSpace) ++m_counts->skipped[eng::KindName(e.kind)];
            return;
        }
        m_shift = modelSpace ? m_recorded : Shift{};
        const EntityKindInfo* info = FindEntityKind(e.kind);
        const char* dxf = info ? info->dxf.data() : nullptr;
        bool written = false;
        switch (e.kind) {
        case eng::kPoint:
            written = WritePoint(e, owner, dxf);
            break;
        case eng::kLine:
            written = WriteLine(e, owner, dxf);
            break;
        case eng::kPolyline:
            written = WritePolyline(e, owner, dxf);
            break;
        case eng::kRectangle:
            written = WriteRectangle(e, owner, dxf);
            break;
        case eng::kCircle:
            written = WriteCircle(e, owner, dxf);
            break;
        case eng::kCore:
            written = WriteCore(e, owner, dxf);
            break;
        case eng::kArc:
            written = WriteArc(e, owner, dxf);
            break;
        case eng::kChineseText:
        case eng::kWesternText:
            written = WriteText(e, owner, dxf);
            break;
        case eng::kMultilineText:
            written = WriteMText(e, owner, dxf);
            break;
        case eng::kTrace:
            written = WriteTrace(e, owner, dxf);
            break;
        case eng::kFilledPolygon:
            written = WriteHatch(e, owner, dxf);
            break;
        case eng::kBlockInsert:
            written = WriteInsert(e, owner, dxf);
            break;
        case eng::kDimension:
            if (!Need(e, 8)) break;
            Dimension(e, owner, modelSpace);
            return;
        default:
            break;
        }
        if (!written) {
            if (m_counts && modelSpace) ++m_counts->skipped[eng::KindName(e.kind)];
            return;
        }
        XData(e);
        Count(dxf, modelSpace);
    }

    bool WritePoint(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 2)) return false;
        Common(e, dxf, owner, "AcDbPoint");
        X(10, v[0]), Y(20, v[1]), R(30, 0);
        return true;
    }

    bool WriteLine(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 4)) return false;
        Common(e, dxf, owner, "AcDbLine");
        X(10, v[0]), Y(20, v[1]), R(30, 0), X(11, v[2]), Y(21, v[3]), R(31, 0);
        return true;
    }

    bool WritePolyline(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 2)) return false;
        size_t n = static_cast<size_t>(std::max(0.0f, v[0]));
        if (!Need(e, 2 + n * 5) || n < 1) return false;
        bool closed = v[1] != 0;
        Common(e, dxf, owner, "AcDbPolyline");
        G(90, static_cast<int>(n)), G(70, closed ? 1 : 0);
        for (size_t i = 0; i < n; ++i) {
            const float* p = &v[2 + i * 5];
            size_t j = (i + 1) % n;
            const float* q = &v[2 + j * 5];
            // The chord as a reader will compute it: from the coordinates as written.
            double chord = std::hypot(WrittenX(q[0]) - WrittenX(p[0]), WrittenY(q[1]) - WrittenY(p[1]));
            bool hasNext = i + 1 < n || closed;
            double bulge = hasNext && chord > 0 ? 2.0 * p[2] / chord : 0;
            X(10, p[0]), Y(20, p[1]);
            if (p[3] != 0 || p[4] != 0) R(40, p[3]), R(41, p[4]);
            // In full: the arc height read back from it must be the same float again.
            if (bulge != 0) m_out << "42\n" << Exact(bulge) << "\n";
        }
        return true;
    }

    bool WriteRectangle(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 5)) return false;
        Common(e, dxf, owner, "AcDbPolyline");
        G(90, 4), G(70, 1);
        double a = v[4] * M_PI / 180, c = std::cos(a), s = std::sin(a);
        double corners[4][2] = {{0, 0}, {v[2], 0}, {v[2], v[3]}, {0, v[3]}};
        for (auto& k : corners) X(10, v[0] + k[0] * c - k[1] * s), Y(20, v[1] + k[0] * s + k[1] * c);
        return true;
    }

    bool WriteCircle(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 3)) return false;
        Common(e, dxf, owner, "AcDbCircle");
        X(10, v[0]), Y(20, v[1]), R(30, 0), R(40, v[2]);
        return true;
    }

    bool WriteCore(const eng::Entity& e, const std::string& owner, const char* dxf) {
        // A filled circle: two half arcs of a polyline as wide as the radius.
        const std::vector<float>& v = e.values;
        if (!Need(e, 3)) return false;
        Common(e, dxf, owner, "AcDbPolyline");
        G(90, 2), G(70, 1), R(43, v[2]);
        X(10, v[0] - v[2] / 2), Y(20, v[1]), R(42, 1), X(10, v[0] + v[2] / 2), Y(20, v[1]), R(42, 1);
        return true;
    }

    bool WriteArc(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 5)) return false;
        Common(e, dxf, owner, "AcDbCircle");
        X(10, v[0]), Y(20, v[1]), R(30, 0), R(40, v[2]), G(100, "AcDbArc"), R(50, v[3]), R(51, v[4]);
        return true;
    }

    bool WriteText(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 7)) return false;
        Common(e, dxf, owner, "AcDbText");
        int h = std::clamp(static_cast<int>(v[5]) - 101, 0, 2);
        int va = static_cast<int>(v[6]) == 102 ? 2 : static_cast<int>(v[6]) == 103 ? 3 : 0;
        X(10, v[2]), Y(20, v[3]), R(30, 0), R(40, v[0]), G(1, OneLine(e.text));
        if (v[4] != 0) R(50, v[4]);
        if (v[0] > 0 && v[1] != v[0]) R(41, v[1] / double(v[0]));
        if (h != 0) G(72, h);
        if (h != 0 || va != 0) X(11, v[2]), Y(21, v[3]), R(31, 0);
        G(100, "AcDbText");
        if (va != 0) G(73, va);
        return true;
    }

    bool WriteMText(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 7)) return false;
        Common(e, dxf, owner, "AcDbMText");
        int h = std::clamp(static_cast<int>(v[5]) - 101, 0, 2);
        int row = static_cast<int>(v[6]) == 103 ? 0 : static_cast<int>(v[6]) == 102 ? 1 : 2;
        X(10, v[2]), Y(20, v[3]), R(30, 0), R(40, v[0]), R(41, 0), G(71, row * 3 + h + 1), G(72, 1);
        std::string content = MTextContent(e.text);
        // Long contents go in chunks of 250 bytes, never splitting a character.
        size_t pos = 0;
        while (content.size() - pos > 250) {
            size_t len = 0;
            while (len < 250) {
                size_t n = text::CharLength(content, pos + len);
                if (len + n > 250) break;
                len += n;
            }
            G(3, content.substr(pos, len));
            pos += len;
        }
        G(1, content.substr(pos));
        if (v[4] != 0) R(50, v[4]);
        // The drawing keeps the distance between lines, DXF a factor of single spacing (5/3 of the
        // text height).
        if (Need(e, 8) && v[7] > 0 && v[0] > 0) G(73, 1), R(44, v[7] / (v[0] * 5.0 / 3.0));
        return true;
    }

    bool WriteTrace(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 8)) return false;
        Common(e, dxf, owner, "AcDbTrace");
        // Drawing order 1 2 3 4 is stored as 1 2 4 3.
        X(10, v[0]), Y(20, v[1]), R(30, 0), X(11, v[2]), Y(21, v[3]), R(31, 0);
        X(12, v[6]), Y(22, v[7]), R(32, 0), X(13, v[4]), Y(23, v[5]), R(33, 0);
        return true;
    }

    bool WriteHatch(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 3)) return false;
        size_t n = static_cast<size_t>(std::max(0.0f, v[0]));
        if (!Need(e, 3 + n * 2) || n < 3) return false;
        bool solid = static_cast<int>(v[1]) != 32;
        Common(e, dxf, owner, "AcDbHatch");
        R(10, 0), R(20, 0), R(30, 0), R(210, 0), R(220, 0), R(230, 1);
        G(2, solid ? "SOLID" : "ANSI31"), G(70, solid ? 1 : 0), G(71, 0), G(91, 1);
        G(92, 2), G(72, 0), G(73, 1), G(93, static_cast<int>(n));
        for (size_t i = 0; i < n; ++i) X(10, v[3 + i * 2]), Y(20, v[4 + i * 2]);
        G(97, 0), G(75, 0), G(76, 1);
        if (!solid)
            R(52, 45), R(41, 1), G(77, 0), G(78, 1), R(53, 45), R(43, 0), R(44, 0), R(45, -2.2), R(46, 2.2), G(79, 0);
        G(98, 0);
        return true;
    }

    bool WriteInsert(const eng::Entity& e, const std::string& owner, const char* dxf) {
        const std::vector<float>& v = e.values;
        if (!Need(e, 8)) return false;
        auto it = m_blockNames.find(static_cast<int>(v[0]));
        if (it == m_blockNames.end()) return false;
        Common(e, dxf, owner, "AcDbBlockReference");
        G(2, it->second), X(10, v[1]), Y(20, v[2]), R(30, v[3]);
        if (v[4] != 1) R(41, v[4]);
        if (v[5] != 1) R(42, v[5]);
        if (v[6] != 1) R(43, v[6]);
        if (v[7] != 0) R(50, v[7]);
        return true;
    }

    // A dimension as what it shows: the dimension line between the measured points' feet on the
    // line through the third point, two extension lines and the measured text.
    void Dimension(const eng::Entity& e, const std::string& owner, bool modelSpace) {
        const std::vector<float>& v = e.values;
        double x1 = v[2], y1 = v[3], x2 = v[4], y2 = v[5], x3 = v[6], y3 = v[7];
        double dx = x2 - x1, dy = y2 - y1, len = std::hypot(dx, dy);
        if (len == 0) {
            if (m_counts && modelSpace) ++m_counts->skipped[eng::KindName(e.kind)];
            return;
        }
        double ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
        double off = (x3 - x1) * nx + (y3 - y1) * ny;
        double ax = x1 + nx * off, ay = y1 + ny * off, bx = x2 + nx * off, by = y2 + ny * off;
        auto line = [&](double xa, double ya, double xb, double yb) {
            Common(e, "LINE", owner, "AcDbLine");
            X(10, xa), Y(20, ya), R(30, 0), X(11, xb), Y(21, yb), R(31, 0);
            Count("LINE", modelSpace);
        };
        line(ax, ay, bx, by);
        line(x1, y1, ax, ay);
        line(x2, y2, bx, by);
        std::string label = e.text.empty() ? Num(std::round(len)) : OneLine(e.text);
        Common(e, "TEXT", owner, "AcDbText");
        double h = v[0] > 0 ? v[0] : len / 20;
        double angle = std::atan2(uy, ux) * 180 / M_PI;
        X(10, (ax + bx) / 2), Y(20, (ay + by) / 2), R(30, 0), R(40, h), G(1, label);
        if (angle != 0) R(50, angle);
        G(72, 1), X(11, (ax + bx) / 2 + nx * h / 2), Y(21, (ay + by) / 2 + ny * h / 2), R(31, 0), G(100, "AcDbText");
        Count("TEXT", modelSpace);
        XData(e);
    }

    // Control characters (line breaks, tabs, ...) become spaces: a DXF value is one line.
    static std::string OneLine(const std::string& gbk) {
        std::string out;
        for (size_t i = 0; i < gbk.size();) {
            size_t n = text::CharLength(gbk, i);
            if (n == 1 && static_cast<unsigned char>(gbk[i]) < 0x20)
                out += ' ';
            else
                out.append(gbk, i, n);
            i += n;
        }
        return out;
    }

    // Line feeds become paragraph breaks; backslashes and braces are escaped (GBK-aware).
    static std::string MTextContent(const std::string& gbk) {
        std::string out;
        for (size_t i = 0; i < gbk.size();) {
            size_t n = text::CharLength(gbk, i);
            if (n == 1) {
                char c = gbk[i];
                if (c == '\n')
                    out += "\\P";
                else if (static_cast<unsigned char>(c) < 0x20) {
                    if (c == '\t') out += ' ';  // other control characters have no place in a value
                } else if (c == '\\' || c == '{' || c == '}')
                    out += '\\', out += c;
                else if (c == '^')
                    out += "^ ";  // a caret followed by anything else is a control code
                else
                    out += c;
            } else {
                out.append(gbk, i, n);
            }
            i += n;
        }
        return out;
    }

    const eng::Drawing& m_d;
    ExportCounts* m_counts;
    std::ostringstream m_out;
    unsigned m_next = 0x100;
    std::map<int, std::string> m_layerNames, m_lineTypeNames, m_blockNames, m_blockRecords;
    std::set<int> m_usedLayers;
    std::set<std::string> m_apps;
    std::string m_modelRecord, m_paperRecord;
    const Shift m_recorded;  // the drawing's
    Shift m_shift;           // the entity's: the drawing's in model space, none in blocks
};

}  // namespace

std::string DxfText(const engine::Drawing& drawing, ExportCounts* counts) { return Writer(drawing, counts).Run(); }

bool WriteDxf(const engine::Drawing& drawing, const std::filesystem::path& file, std::string& error,
              ExportCounts* counts) {
    std::string text = DxfText(drawing, counts);
    std::filesystem::path temp = file;
    temp.replace_filename("." + file.filename().string() + ".saving-" + std::to_string(::getpid()));
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            error = "cannot write " + file.string();
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        error = "cannot write " + file.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace ckw::dxf
