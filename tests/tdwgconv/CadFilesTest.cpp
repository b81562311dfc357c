// Drawings from the CAD world read as their makers drew them: hatches bounded by polylines, each
// line type's own pattern, entities on extrusion -Z, array inserts, attribute values, and files
// that are damaged, binary or empty.
#include <cmath>

#include <ckw/ReferenceEngine.h>
#include "Readers.h"
#include "TdwgFixture.h"
#include "TWriter.h"

namespace tdwg::test {
namespace {

Drawing Read(const std::string& file) {
    Drawing d;
    std::string error;
    EXPECT_TRUE(ReadDxf(DataFile("dxf/" + file), d, error)) << file << ": " << error;
    return d;
}

const Entity* FirstOf(const std::vector<Entity>& list, const std::string& kind) {
    for (const Entity& e : list)
        if (e.kind == kind) return &e;
    return nullptr;
}

TEST(CadFiles, HatchesBoundedByPolylinePaths) {
    Drawing d = Read("syn_hatch_polypath.dxf");
    ckw::engine::Drawing out;
    MapToEngine(d, out);
    EXPECT_EQ(d.kinds["HATCH"].written, 2);
    // The polyline path: four corners, the right side an arc of bulge 0.5.
    const Entity* polyPath = FirstOf(d.entities, "HATCH");
    ASSERT_TRUE(polyPath);
    ASSERT_EQ(polyPath->vertices.size(), 4u);
    EXPECT_TRUE(polyPath->closed);
    EXPECT_DOUBLE_EQ(polyPath->vertices[1].x, 100);
    EXPECT_DOUBLE_EQ(polyPath->vertices[1].bulge, 0.5);
    EXPECT_DOUBLE_EQ(polyPath->vertices[2].y, 50);
}

TEST(CadFiles, EachLineTypeKeepsItsOwnPattern) {
    Drawing d = Read("ez_text.dxf");
    Json reference = Ezdxf(DataFile("dxf/ez_text.dxf"))["linetypes"];
    ASSERT_EQ(d.lineTypes.size(), reference.size());
    for (const LineType& lt : d.lineTypes) {
        ASSERT_TRUE(reference.contains(lt.name)) << lt.name;
        EXPECT_EQ(lt.dashes, reference[lt.name].get<std::vector<double>>()) << lt.name;
    }
}

// Arcs, a circle, a polyline and a text on extrusion (0,0,-1) are mirrored about the Y axis; an
// array insert of 3 columns and 2 rows brings six copies.
TEST(CadFiles, ExtrusionMinusZAndArrayInserts) {
    Drawing d = Read("syn_ocs_minsert.dxf");
    const Entity* arc = FirstOf(d.entities, "ARC");
    ASSERT_TRUE(arc);
    EXPECT_DOUBLE_EQ(arc->cx, -100);
    EXPECT_DOUBLE_EQ(arc->cy, 50);
    EXPECT_NEAR(arc->startDeg, 100, 1e-9);
    EXPECT_NEAR(arc->endDeg, 170, 1e-9);
    const Entity* circle = FirstOf(d.entities, "CIRCLE");
    ASSERT_TRUE(circle);
    EXPECT_DOUBLE_EQ(circle->cx, -30);
    const Entity* text = FirstOf(d.entities, "TEXT");
    ASSERT_TRUE(text);
    EXPECT_DOUBLE_EQ(text->x, -200);
    EXPECT_DOUBLE_EQ(text->y, 10);
    std::vector<std::pair<double, double>> cells;
    for (const Entity& e : d.entities)
        if (e.shape == Shape::Insert && e.block == "CELL") cells.emplace_back(e.x, e.y);
    const std::vector<std::pair<double, double>> expected = {{1000, 0},  {1020, 0},  {1040, 0},
                                                             {1000, 30}, {1020, 30}, {1040, 30}};
    EXPECT_EQ(cells, expected);
    ckw::engine::Drawing out;
    MapToEngine(d, out);
    EXPECT_EQ(d.kinds["INSERT"].written, 2) << "the copies count with their insert";
}

// Attribute values come in as texts at their place, the tag in the extended data; ezdxf sees the
// same number of them.
TEST(CadFiles, AttributeValuesBecomeTexts) {
    Drawing d = Read("ez_text.dxf");
    ckw::engine::Drawing out;
    MapToEngine(d, out);
    Json reference = Ezdxf(DataFile("dxf/ez_text.dxf"))["section"];
    EXPECT_EQ(d.kinds["ATTRIB"].read, reference["ATTRIB"].get<long>());
    EXPECT_EQ(d.kinds["ATTRIB"].written, d.kinds["ATTRIB"].read);
    const Entity* value = nullptr;
    for (const Entity& e : d.entities)
        if (e.kind == "ATTRIB" && e.text == "VALUE-rotated") value = &e;
    ASSERT_TRUE(value);
    EXPECT_EQ(value->shape, Shape::Text);
    ASSERT_FALSE(value->xdata.empty());
    EXPECT_EQ(value->xdata.back().name, kAttributeApp);
    EXPECT_EQ(value->xdata.back().values.at(0).s, "TAG-ROTATED");
    EXPECT_NE(value->angleDeg, 0);
}

TEST(CadFiles, MissingEndMarkerBinaryAndEmptyFiles) {
    // A binary DXF reads as its text form: the same entities as ezdxf sees.
    Drawing binary = Read("ez_bin_dxf_r2000.dxf");
    Json reference = Ezdxf(DataFile("dxf/ez_bin_dxf_r2000.dxf"))["section"];
    for (const auto& [kind, n] : reference.items()) EXPECT_EQ(binary.kinds[kind].read, n.get<long>()) << kind;

    // Only the final EOF is missing: converted, with a warning.
    Drawing recovered = Read("ez_recover01.dxf");
    EXPECT_GT(recovered.entities.size(), 100u);
    ASSERT_EQ(recovered.warnings.size(), 1u);
    EXPECT_NE(recovered.warnings[0].find("EOF"), std::string::npos);

    struct Case {
        std::string bytes, message;
    } cases[] = {
        {"", "empty"},
        {std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0SECTION\0\2\0ENTI", 35), "binary DXF ends inside"},
        // A number group holding bytes that are not text: the message shows none of them.
        {std::string("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n\x01\xFE\xFF\n0\nENDSEC\n0\nEOF\n"), "damaged"},
    };
    for (const Case& c : cases) {
        Drawing d;
        std::string error;
        EXPECT_FALSE(ReadDxfBytes(c.bytes, d, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        for (char ch : error) EXPECT_TRUE(ch >= 0x20 && ch < 0x7F) << error;
    }
}

// R12 polylines give their vertices default widths; fitted and aligned texts run between their two
// points; a tab in a multi-line text is a space.
TEST(CadFiles, PolylineWidthsAndTextPlacement) {
    const std::string dxf =
        "0\nSECTION\n2\nENTITIES\n"
        "0\nPOLYLINE\n8\n0\n66\n1\n10\n0\n20\n0\n30\n0\n40\n2\n41\n3\n"
        "0\nVERTEX\n8\n0\n10\n0\n20\n0\n30\n0\n"
        "0\nVERTEX\n8\n0\n10\n10\n20\n0\n30\n0\n40\n1\n"
        "0\nSEQEND\n8\n0\n"
        "0\nTEXT\n8\n0\n10\n0\n20\n0\n30\n0\n40\n2\n1\nABCD\n72\n5\n11\n0\n21\n8\n31\n0\n"
        "0\nTEXT\n8\n0\n10\n0\n20\n0\n30\n0\n40\n2\n1\nABCD\n72\n3\n11\n4\n21\n0\n31\n0\n"
        "0\nMTEXT\n8\n0\n10\n0\n20\n0\n30\n0\n40\n2\n1\nA^IB\n"
        "0\nENDSEC\n0\nEOF\n";
    Drawing d;
    std::string error;
    ASSERT_TRUE(ReadDxfBytes(dxf, d, error)) << error;
    ASSERT_EQ(d.entities.size(), 4u);
    const auto& v = d.entities[0].vertices;
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(std::pair(v[0].startWidth, v[0].endWidth), std::pair(2.0, 3.0));
    EXPECT_EQ(std::pair(v[1].startWidth, v[1].endWidth), std::pair(1.0, 3.0));
    const Entity& fitted = d.entities[1];
    EXPECT_DOUBLE_EQ(fitted.angleDeg, 90);
    EXPECT_DOUBLE_EQ(fitted.height, 2);
    EXPECT_DOUBLE_EQ(fitted.widthFactor, 1);  // 8 long for 4 characters of height 2
    const Entity& aligned = d.entities[2];
    EXPECT_DOUBLE_EQ(aligned.angleDeg, 0);
    EXPECT_DOUBLE_EQ(aligned.height, 1);  // 4 long: the height follows the width
    EXPECT_EQ(d.entities[3].text, "A B");
}

// Survey coordinates (3.5e6 m) lose their millimetres in the engine's 4-byte numbers: said in
// the report, with the worst loss; a drawing near the origin says nothing.
TEST(CadFiles, CoordinatesFarFromTheOriginAreWarnedOf) {
    for (auto [x, warned] : {std::pair{"3500000.0", true}, {"35.0", false}}) {
        const std::string dxf = std::string("0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n6\n0\nENDSEC\n") +
                                "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n" + x + "\n20\n0\n30\n0\n11\n" + x +
                                "1\n21\n0.1\n31\n0\n0\nENDSEC\n0\nEOF\n";
        Drawing d;
        std::string error;
        ASSERT_TRUE(ReadDxfBytes(dxf, d, error)) << error;
        ckw::engine::Drawing out;
        MapToEngine(d, out);
        EXPECT_EQ(d.warnings.size(), warned ? 1u : 0u) << x;
        for (const std::string& w : d.warnings) EXPECT_NE(w.find("mm lost"), std::string::npos) << w;
    }
}

}  // namespace
}  // namespace tdwg::test
