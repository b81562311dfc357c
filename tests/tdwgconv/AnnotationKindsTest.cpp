// Tables, arc dimensions, multi-lines, leaders and multi-leaders come in from DXF and DWG alike,
// drawn from their parts; what stays out (regions, proxy entities) is in the report with its
// reason.
#include <cmath>

#include "Readers.h"
#include "TdwgFixture.h"

namespace tdwg::test {
namespace {

struct KindCase {
    const char* file;
    const char* kind;
    long written, skipped;
};

TEST(AnnotationKinds, EachKindIsWrittenOrNamedInTheReport) {
    const KindCase cases[] = {
        {"dxf/libredwg_example_2000.dxf", "ACAD_TABLE", 1, 0},
        {"dxf/libredwg_example_2000.dxf", "ARC_DIMENSION", 1, 0},
        {"dxf/libredwg_example_2000.dxf", "MLINE", 1, 0},
        {"dxf/libredwg_example_2000.dxf", "MULTILEADER", 1, 0},
        {"dxf/libredwg_example_2000.dxf", "REGION", 0, 2},
        {"dwg/example_2000.dwg", "ACAD_TABLE", 1, 0},
        {"dwg/example_2000.dwg", "MLINE", 1, 0},
        {"dwg/example_2000.dwg", "MULTILEADER", 1, 0},
        {"dwg/example_2000.dwg", "REGION", 0, 2},
        {"dxf/lw_2000_TS1.dxf", "LEADER", 1, 0},
        {"dxf/lw_2000_TS1.dxf", "TRACE", 1, 0},
        {"dxf/lw_2000_TS1.dxf", "REGION", 0, 1},
        {"dwg/lw_2000_TS1.dwg", "ACAD_TABLE", 1, 0},
        {"dwg/lw_2000_TS1.dwg", "LEADER", 1, 0},
        {"dwg/lw_2000_TS1.dwg", "MLINE", 1, 0},
        {"dwg/lw_2000_TS1.dwg", "REGION", 0, 1},
        {"dxf/lw_2004_Leader.dxf", "MULTILEADER", 1, 0},
        {"dwg/lw_2018_Leader.dwg", "LEADER", 1, 0},
        {"dwg/lw_2018_Leader.dwg", "MULTILEADER", 1, 0},
        {"dwg/lw_2013_gh109_1.dwg", "PROXY_ENTITY", 0, 25},
        {"dxf/syn_annotations.dxf", "MLINE", 3, 1},
        {"dxf/syn_annotations.dxf", "LEADER", 2, 1},
        {"dxf/syn_annotations.dxf", "MULTILEADER", 2, 0},
        {"dxf/syn_annotations.dxf", "ARC_DIMENSION", 1, 0},
    };
    std::map<std::string, Json> reports;
    TempDir dir;
    for (const KindCase& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.kind);
        if (!reports.count(c.file)) {
            ckw::shell::RunResult r =
                RunTdwg({DataFile(c.file).string(), "--json", "-o", (dir.path() / "out.T").string()});
            ASSERT_EQ(r.exitStatus, 0) << r.errors;
            reports[c.file] = Json::parse(r.output)["kinds"];
        }
        const Json& k = reports[c.file][c.kind];
        long skipped = 0;
        for (const auto& [reason, n] : k["skipped"].items()) {
            skipped += n.get<long>();
            // The reason says why this kind stays out, not only that it does.
            for (const char* generic : {"not supported", "no reader for this kind", "not handed on by the DWG reader"})
                EXPECT_NE(reason, generic);
        }
        EXPECT_EQ(k["written"].get<long>(), c.written);
        EXPECT_EQ(skipped, c.skipped);
        EXPECT_EQ(k["read"].get<long>(), c.written + c.skipped);
    }
}

// The entity of `kind` (the n-th) and the parts that follow it.
std::vector<Entity> Parts(const Drawing& d, const std::string& kind, int nth = 0) {
    std::vector<Entity> out;
    for (const Entity& e : d.entities) {
        if (!out.empty() && !e.kind.empty()) break;
        if (e.kind == kind && nth-- == 0)
            out.push_back(e);
        else if (!out.empty())
            out.push_back(e);
    }
    return out;
}

const fs::path kScript = fs::path(CKW_TDWGCONV_TEST_DIR) / "../../tools/tdwgconv/dwg/read-dwg.mjs";

Drawing Read(const std::string& file) {
    Drawing d;
    std::string error;
    const fs::path path = DataFile(file);
    const bool ok = path.extension() == ".dwg" ? ReadDwg(path, {kScript, std::chrono::seconds(120)}, d, error)
                                               : ReadDxf(path, d, error);
    EXPECT_TRUE(ok) << file << ": " << error;
    return d;
}

double Distance(const Vertex& a, double x, double y) { return std::hypot(a.x - x, a.y - y); }

// The multi-line of the synthetic file: a closed rectangle 100 x 50 of a style with three elements
// at 0.5, 0 and -0.5 (red, by layer, green), scaled by 4 and hung from its top element.
TEST(AnnotationKinds, MultiLineElementsLieAtTheirStylesOffsets) {
    const std::vector<Entity> parts = Parts(Read("dxf/syn_annotations.dxf"), "MLINE");
    ASSERT_EQ(parts.size(), 3u);
    const int colours[] = {1, kColourByLayer, 3};
    for (size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const double inset = 2.0 * static_cast<double>(k);  // 4 x 0.5 between elements, outwards
        ASSERT_EQ(parts[k].shape, Shape::Polyline);
        EXPECT_TRUE(parts[k].closed);
        EXPECT_EQ(parts[k].colour, colours[k]);
        ASSERT_EQ(parts[k].vertices.size(), 4u);
        EXPECT_LT(Distance(parts[k].vertices[0], -inset, -inset), 1e-9);
        EXPECT_LT(Distance(parts[k].vertices[2], 100 + inset, 50 + inset), 1e-9);
    }
}

// Its third multi-line (elements at +1 and -1 from (300, 0) to (350, 0)) has a style that draws a
// line across its start and a half circle round its end.
TEST(AnnotationKinds, MultiLineCapsCloseItsEnds) {
    const std::vector<Entity> parts = Parts(Read("dxf/syn_annotations.dxf"), "MLINE", 2);
    ASSERT_EQ(parts.size(), 4u);
    const Entity &start = parts[2], &end = parts[3];
    ASSERT_EQ(start.vertices.size(), 2u);
    EXPECT_LT(Distance(start.vertices[0], 300, 1), 1e-9);
    EXPECT_LT(Distance(start.vertices[1], 300, -1), 1e-9);
    EXPECT_EQ(start.vertices[0].bulge, 0);
    ASSERT_EQ(end.vertices.size(), 2u);
    EXPECT_LT(Distance(end.vertices[0], 350, 1), 1e-9);
    EXPECT_LT(Distance(end.vertices[1], 350, -1), 1e-9);
    // A bulge of 1 is a half circle anticlockwise from the first vertex: -1 goes round by (351, 0).
    EXPECT_EQ(end.vertices[0].bulge, -1);
}

// From DWG the elements take their style's colours as the reader script hands them on: an
// element's own colour, else the multi-line's (here blue).
TEST(AnnotationKinds, DwgMultiLineTakesItsStylesOwnColours) {
    const std::string json = R"({"layers": [{"name": "0"}], "blocks": [], "entities": [
        {"type": "MLINE", "layer": "0", "colorIndex": 5, "flags": 1, "elementColours": [1, 256, 0, 1e300],
         "vertices": [
           {"vertex": {"x": 0, "y": 0}, "miterDirection": {"x": 0, "y": 1}, "lines": [
             {"segmentParams": [1, 0]}, {"segmentParams": [0, 0]}, {"segmentParams": [-1, 0]}, {"segmentParams": [-2]}]},
           {"vertex": {"x": 10, "y": 0}, "miterDirection": {"x": 0, "y": 1}, "lines": [
             {"segmentParams": [1, 0]}, {"segmentParams": [0, 0]}, {"segmentParams": [-1, 0]}, {"segmentParams": [-2]}]}]}]})";
    Drawing d;
    std::string error;
    ASSERT_TRUE(ParseDwgJson(json, d, error)) << error;
    const std::vector<Entity> parts = Parts(d, "MLINE");
    ASSERT_EQ(parts.size(), 4u);
    const int colours[] = {1, 5, 5, 5};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(parts[k].colour, colours[k]) << k;
        EXPECT_FALSE(parts[k].closed);
        EXPECT_LT(Distance(parts[k].vertices[1], 10, 1.0 - static_cast<double>(k)), 1e-12) << k;
    }
}

// The same drawing as DWG and as DXF gives the same parts.
TEST(AnnotationKinds, DwgAndDxfOfOneDrawingGiveTheSameParts) {
    const struct {
        const char *dxf, *dwg, *kind;
    } cases[] = {{"dxf/lw_example_r13.dxf", "dwg/lw_example_r13.dwg", "MLINE"},
                 {"dxf/lw_2000_TS1.dxf", "dwg/lw_2000_TS1.dwg", "MLINE"},
                 {"dxf/lw_2000_TS1.dxf", "dwg/lw_2000_TS1.dwg", "ACAD_TABLE"},
                 {"dxf/lw_2000_TS1.dxf", "dwg/lw_2000_TS1.dwg", "TRACE"},
                 {"dxf/lw_2000_TS1.dxf", "dwg/lw_2000_TS1.dwg", "LEADER"},
                 {"dxf/lw_2004_Leader.dxf", "dwg/lw_2018_Leader.dwg", "LEADER"},
                 {"dxf/libredwg_example_2000.dxf", "dwg/example_2000.dwg", "ARC_DIMENSION"},
                 {"dxf/lw_2004_Leader.dxf", "dwg/lw_2018_Leader.dwg", "MULTILEADER"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dxf) + " " + c.kind);
        const std::vector<Entity> a = Parts(Read(c.dxf), c.kind), b = Parts(Read(c.dwg), c.kind);
        ASSERT_EQ(a.size(), b.size());
        ASSERT_FALSE(a.empty());
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].shape, b[i].shape);
            EXPECT_EQ(a[i].closed, b[i].closed);
            EXPECT_EQ(a[i].text, b[i].text);
            EXPECT_EQ(a[i].block, b[i].block);
            EXPECT_NEAR(a[i].x, b[i].x, 1e-6);
            EXPECT_NEAR(a[i].y, b[i].y, 1e-6);
            EXPECT_NEAR(a[i].height, b[i].height, 1e-6);
            EXPECT_NEAR(a[i].angleDeg, b[i].angleDeg, 1e-6);
            ASSERT_EQ(a[i].vertices.size(), b[i].vertices.size());
            for (size_t v = 0; v < a[i].vertices.size(); ++v)
                EXPECT_LT(Distance(a[i].vertices[v], b[i].vertices[v].x, b[i].vertices[v].y), 1e-6) << v;
        }
    }
}

// A leader's line runs through its vertices, its arrowhead at the first, as long as its
// dimension-style overrides say (2.5 x 2), else its dimension style, and pointing along the first
// segment; a multi-leader's text and block stand where the file places them.
TEST(AnnotationKinds, LeadersKeepTheirVerticesArrowAndContent) {
    const Drawing d = Read("dxf/syn_annotations.dxf");
    const std::vector<Entity> leader = Parts(d, "LEADER");
    ASSERT_EQ(leader.size(), 2u);
    ASSERT_EQ(leader[0].vertices.size(), 3u);
    EXPECT_LT(Distance(leader[0].vertices[0], 0, 100), 1e-9);
    EXPECT_LT(Distance(leader[0].vertices[2], 60, 130), 1e-9);
    ASSERT_EQ(leader[1].shape, Shape::Trace);
    const std::vector<Vertex>& arrow = leader[1].vertices;
    EXPECT_LT(Distance(arrow[0], 0, 100), 1e-9);
    const double baseX = (arrow[2].x + arrow[3].x) / 2, baseY = (arrow[2].y + arrow[3].y) / 2;
    EXPECT_NEAR(std::hypot(baseX, baseY - 100), 5.0, 1e-9);
    EXPECT_NEAR(baseX, baseY - 100, 1e-9);  // along (1, 1)

    // One whose dimension style gives the arrowhead 1 x 10.
    const std::vector<Entity> styled = Parts(d, "LEADER", 1);
    ASSERT_EQ(styled.size(), 2u);
    ASSERT_EQ(styled[1].shape, Shape::Trace);
    EXPECT_NEAR(styled[1].vertices[2].y, 210, 1e-9);

    const std::vector<Entity> text = Parts(d, "MULTILEADER", 0), block = Parts(d, "MULTILEADER", 1);
    ASSERT_FALSE(text.empty());
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(text.back().shape, Shape::MText);
    EXPECT_EQ(text.back().text, "Beam B1");
    EXPECT_DOUBLE_EQ(text.back().height, 3.5);
    EXPECT_EQ(text.front().vertices.front().x, 150);  // the line starts at the arrow's tip
    EXPECT_EQ(block.back().shape, Shape::Insert);
    EXPECT_EQ(block.back().block, "TAG");
    EXPECT_DOUBLE_EQ(block.back().x, 300);
    EXPECT_DOUBLE_EQ(block.back().sx, 2);
}

}  // namespace
}  // namespace tdwg::test
