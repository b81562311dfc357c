// A survey drawing (a 0.1 m square, a text, a block's insertion and a dimension at 3.5e6 m) moved
// near the origin with --shift keeps its millimetres, the .T keeps the shift, and the DXF export
// puts the drawing back where it was.
#include <ckw/ReferenceEngine.h>
#include "DrawingShift.h"
#include "DxfWriter.h"
#include "Readers.h"
#include "TWriter.h"
#include "TdwgFixture.h"
#include "base/XDataWords.h"

namespace tdwg::test {
namespace {

namespace eng = ckw::engine;

// In metres. The block's circle lies 0.5 m right of its base point; the dimension's block *D1 is
// drawn where the drawing is and inserted at the origin, as dimensions are.
const std::string kSurvey =
    "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n6\n0\nENDSEC\n"
    "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nMARK\n70\n0\n10\n0\n20\n0\n30\n0\n"
    "0\nCIRCLE\n8\n0\n10\n0.5\n20\n0\n30\n0\n40\n0.25\n0\nENDBLK\n8\n0\n"
    "0\nBLOCK\n8\n0\n2\n*D1\n70\n1\n10\n0\n20\n0\n30\n0\n0\nLINE\n8\n0\n10\n3500000.0\n20\n2800000.3\n30\n0\n"
    "11\n3500000.1\n21\n2800000.3\n31\n0\n0\nENDBLK\n8\n0\n0\nENDSEC\n"
    "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\n0\n90\n4\n70\n1\n10\n3500000.0\n20\n2800000.0\n"
    "10\n3500000.1\n20\n2800000.0\n10\n3500000.1\n20\n2800000.1\n10\n3500000.0\n20\n2800000.1\n"
    "0\nTEXT\n8\n0\n10\n3500000.02\n20\n2800000.12\n30\n0\n40\n0.05\n1\nBM1\n"
    "0\nINSERT\n8\n0\n2\nMARK\n10\n3500001.5\n20\n2800000.5\n30\n0\n"
    "0\nINSERT\n8\n0\n2\n*D1\n10\n0\n20\n0\n30\n0\n0\nENDSEC\n0\nEOF\n";
// Where the source draws, in metres: square, text, the block's circle, the dimension's line.
const std::vector<double> kPositions = {3500000.0, 2800000.0, 3500000.1,  2800000.0,  3500000.1, 2800000.1,
                                        3500000.0, 2800000.1, 3500000.02, 2800000.12, 3500002.0, 2800000.5,
                                        3500000.0, 2800000.3, 3500000.1,  2800000.3};

// Where ezdxf sees a DXF draw, in metres (the contents of insertions where they place them), and
// the centre of its view.
Json EzdxfPositions(const fs::path& dxf) {
    const char* script =
        "import ezdxf, json, sys\n"
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "m = ezdxf.units.conversion_factor(doc.header.get('$INSUNITS', 0) or 6, 6)\n"
        "def points(e):\n"
        "    t = e.dxftype()\n"
        "    if t == 'INSERT': return [v for x in e.virtual_entities() for v in points(x)]\n"
        "    if t == 'LWPOLYLINE': return [v[:2] for v in e.get_points()]\n"
        "    if t == 'LINE': return [e.dxf.start.vec2, e.dxf.end.vec2]\n"
        "    return [(e.dxf.center if t == 'CIRCLE' else e.dxf.insert).vec2]\n"
        "view = doc.viewports.get('*Active')[0].dxf.center\n"
        "print(json.dumps({'positions': [c * m for e in doc.modelspace() for v in points(e) for c in v],\n"
        "                  'view': [view.x * m, view.y * m]}))\n";
    ckw::shell::RunResult r =
        ckw::shell::RunAndCapture({"/usr/bin/python3", "-c", script, dxf.string()}, std::chrono::seconds(60));
    EXPECT_EQ(r.exitStatus, 0) << r.errors;
    return Json::parse(r.output, nullptr, false);
}

eng::Drawing ReadT(const fs::path& file) {
    eng::Drawing d;
    std::string error;
    EXPECT_TRUE(eng::ReadDrawingFile(file, d, error)) << error;
    return d;
}

TEST(Shift, SurveyDrawingMovesNearTheOriginAndExportPutsItBack) {
    TempDir dir;
    const fs::path source = dir.path() / "survey.dxf", t = dir.path() / "SURVEY.T";
    WriteBytes(source, kSurvey);

    auto unshifted = RunTdwg({"--json", source.string(), "-o", (dir.path() / "far.T").string()});
    ASSERT_EQ(unshifted.exitStatus, 0) << unshifted.errors;
    Json far = Json::parse(unshifted.output);
    EXPECT_GT(far["worst_loss_mm"].get<double>(), 10);
    ASSERT_EQ(far["warnings"].size(), 1u);
    EXPECT_NE(far["warnings"][0].get<std::string>().find("mm lost"), std::string::npos);

    // The middle of model space, rounded to whole metres (it is 1.5 m wide).
    auto shifted = RunTdwg({"--json", "--shift", "auto", source.string(), "-o", t.string()});
    ASSERT_EQ(shifted.exitStatus, 0) << shifted.errors;
    Json near = Json::parse(shifted.output);
    EXPECT_EQ(near["shift"], Json({{"x", 3500001.0}, {"y", 2800000.0}}));
    EXPECT_LT(near["worst_loss_mm"].get<double>(), 1e-3);
    EXPECT_TRUE(near["warnings"].empty());
    eng::Drawing d = ReadT(t);
    const eng::Entity& square = d.Entities()[d.LayerEntries().size()];
    ASSERT_EQ(square.kind, eng::kPolyline);
    EXPECT_NEAR(square.values[7] - square.values[2], 100, 1e-6);  // millimetres
    EXPECT_NEAR(square.values[2], -1000, 1e-6);
    const eng::Block& mark = d.Blocks().begin()->second;
    EXPECT_NEAR(mark.entities.at(0).values[0], 500, 1e-6);  // relative to the base point still

    const fs::path exported = dir.path() / "back.dxf";
    EXPECT_EQ(RunTdwg({"--to-dxf", "--shift", "auto", t.string(), exported.string()}).exitStatus, 2);
    auto toDxf = RunTdwg({"--to-dxf", t.string(), exported.string()});
    ASSERT_EQ(toDxf.exitStatus, 0) << toDxf.errors;
    Json back = EzdxfPositions(exported);
    auto positions = back["positions"].get<std::vector<double>>();
    ASSERT_EQ(positions.size(), kPositions.size());
    for (size_t i = 0; i < positions.size(); ++i) EXPECT_NEAR(positions[i], kPositions[i], 1e-6) << i;
    EXPECT_NEAR(back["view"][0].get<double>(), 3500001, 1);  // a CAD program shows the drawing
    EXPECT_NEAR(back["view"][1].get<double>(), 2800000, 1);

    // The exported DXF carries the shift: converted again, it lands where the first .T has it.
    const fs::path again = dir.path() / "AGAIN.T";
    ASSERT_EQ(RunTdwg({"-q", exported.string(), "-o", again.string()}).exitStatus, 0);
    ExpectSameEntities(d, ReadT(again));
}

TEST(Shift, OptionValues) {
    TempDir dir;
    const fs::path source = dir.path() / "survey.dxf", t = dir.path() / "OUT.T";
    WriteBytes(source, kSurvey);
    struct Case {
        const char* value;
        int status;
        float firstX = 0, firstY = 0;  // the square's first corner, millimetres
    };
    for (const Case& c : {Case{"3500000,2800000", 0, 0, 0}, Case{" +3499990 , 2.8e6", 0, 10000, 0}, Case{"1,x", 2},
                          Case{"auto,1", 2}, Case{"1", 2}, Case{"inf,0", 2}, Case{"", 2}}) {
        SCOPED_TRACE(c.value);
        auto r = RunTdwg({"-q", "--shift", c.value, source.string(), "-o", t.string()});
        EXPECT_EQ(r.exitStatus, c.status) << r.errors;
        if (c.status != 0) continue;
        eng::Drawing d = ReadT(t);
        const eng::Entity& square = d.Entities()[d.LayerEntries().size()];
        EXPECT_EQ(square.values[2], c.firstX);
        EXPECT_EQ(square.values[3], c.firstY);
    }
    // auto leaves a drawing alone whose positions the numbers hold (whole metres, 3 km off).
    auto kept = RunTdwg({"-q", "--shift", "auto", DataFile("dxf/syn_chinese_r2000.dxf").string(), "-o", t.string()});
    ASSERT_EQ(kept.exitStatus, 0) << kept.errors;
    EXPECT_TRUE(ReadT(t).Data().empty());
}

// Every test file, its drawing kept 1 km and 2 km off, comes back from its export as it was, also
// when it is read in batches (its entities are then mapped before the record with the shift comes).
TEST(Shift, EveryTestFileComesBackFromAShiftedExport) {
    TempDir dir;
    const fs::path exported = dir.path() / "shifted.dxf";
    for (const auto& entry : fs::directory_iterator(DataFile("dxf"))) {
        SCOPED_TRACE(entry.path().filename().string());
        Drawing neutral;
        std::string error;
        ASSERT_TRUE(ReadDxf(entry.path(), neutral, error)) << error;
        neutral.shift = {ShiftRequest::Mode::Given, 1e6 / neutral.unitToMm, -2e6 / neutral.unitToMm};
        eng::Drawing shifted;
        MapToEngine(neutral, shifted);
        Drawing again;
        ASSERT_TRUE(ReadDxfBytes(ckw::dxf::DxfText(shifted), again, error)) << error;
        eng::Drawing back;
        MapToEngine(again, back);
        ExpectSameEntities(shifted, back);
        WriteBytes(exported, ckw::dxf::DxfText(shifted));
        Drawing streamed;
        eng::Drawing streamedBack;
        ASSERT_TRUE(MapDxf(exported, streamed, streamedBack, error, {}, 1)) << error;
        ExpectSameEntities(shifted, streamedBack);
    }
}

// The shift is one block of the drawing-level record: a record without it is a drawing in its
// place, and setting or clearing it leaves the other blocks as they were.
TEST(Shift, RecordKeepsTheOtherBlocks) {
    XDataItemList none;
    const std::vector<int32_t> frame = ckw::xdata::EncodeBlock("$Kelo_DrawFrame", none, ckw::xdata::NameWords::Packed);
    EXPECT_TRUE(ckw::dxf::RecordedShift(frame).IsZero());
    EXPECT_TRUE(ckw::dxf::WithShift({}, {}).empty());

    const ckw::dxf::Shift far{3500000123.456789, -2.5e-7};
    std::vector<int32_t> shifted = ckw::dxf::WithShift(frame, far);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), shifted.begin()));
    auto read = ckw::dxf::RecordedShift(shifted);
    EXPECT_EQ(read.x, far.x);
    EXPECT_EQ(read.y, far.y);
    EXPECT_EQ(ckw::dxf::WithShift(ckw::dxf::WithShift(shifted, {1, 2}), {}), frame);
}

}  // namespace
}  // namespace tdwg::test
