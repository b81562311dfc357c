// What the converter reads from the test files, per source kind, equals what independent
// readers report: ezdxf for DXF (model space plus the paper space kept in the entities section)
// and the DWG package's own object list.
#include <map>

#include <ckw/ReferenceEngine.h>
#include "Readers.h"
#include "TdwgFixture.h"
#include "TWriter.h"

namespace tdwg::test {
namespace {

using KindCounts = std::map<std::string, long>;

// Example drawing of LibreDWG, as DXF (2000 and 2007) and as DWG: the same entities.
const KindCounts kLibreDwgDxf = {{"3DFACE", 2},
                                 {"3DSOLID", 1},
                                 {"ACAD_TABLE", 1},
                                 {"ARC", 2},
                                 {"ARC_DIMENSION", 1},
                                 {"ATTDEF", 2},
                                 {"ATTRIB", 2} /* the values of an insert's attributes */,
                                 {"DIMENSION", 9},
                                 {"ELLIPSE", 1},
                                 {"HATCH", 1},
                                 {"INSERT", 10},
                                 {"LIGHT", 1},
                                 {"LINE", 8},
                                 {"LWPOLYLINE", 11},
                                 {"MLINE", 1},
                                 {"MTEXT", 1},
                                 {"MULTILEADER", 1},
                                 {"POINT", 1},
                                 {"POLYLINE", 2},
                                 {"RAY", 1},
                                 {"REGION", 2},
                                 {"SOLID", 1},
                                 {"SPLINE", 2},
                                 {"TEXT", 2},
                                 {"TOLERANCE", 1},
                                 {"WIPEOUT", 2},
                                 {"XLINE", 1},
                                 {"VIEWPORT", 1} /* paper space */};

const std::map<std::string, KindCounts> kDxfReference = {
    {"A0H.dxf", {{"ARC", 2}, {"INSERT", 3}, {"LINE", 4053}}},
    {"Relay.dxf", {{"CIRCLE", 3}, {"LINE", 10}, {"MTEXT", 3}}},
    {"a3.dxf", {{"CIRCLE", 14}, {"HATCH", 8}, {"LINE", 66}, {"MTEXT", 44}}},
    {"angle.dxf", {{"LINE", 8}}},
    {"libredwg_example_2000.dxf", kLibreDwgDxf},
    {"libredwg_example_2007.dxf", kLibreDwgDxf},
    {"screw.dxf", {{"ARC", 4}, {"LINE", 23}}},
    {"t-part.dxf", {{"ARC", 15}, {"LINE", 24}}},
    {"tux.dxf", {{"ARC", 87}}},
};

// node read-dwg.mjs --count: the package's entity list (model and paper space, attributes), and
// the kinds the file holds that the list leaves out, from the package's object list: with them
// the DWG names the same kinds as the DXF of the same drawing.
const KindCounts kLibreDwgDwg = {
    {"LINE", 8},          {"XLINE", 1},       {"LWPOLYLINE", 11},    {"ARC", 2},     {"SPLINE", 2},
    {"ELLIPSE", 1},       {"POINT", 1},       {"MTEXT", 1},          {"TEXT", 2},    {"INSERT", 10},
    {"ATTRIB", 2},        {"RAY", 1},         {"HATCH", 1},          {"WIPEOUT", 2}, {"3DFACE", 2},
    {"3DSOLID", 1},       {"DIMENSION", 9},   {"POLYLINE3D", 1},     {"SOLID", 1},   {"TOLERANCE", 1},
    {"ACAD_TABLE", 1},    {"MULTILEADER", 1}, {"MLINE", 1},          {"ATTDEF", 2},  {"VIEWPORT", 2},
    {"ARC_DIMENSION", 1}, {"LIGHT", 1},       {"POLYLINE_PFACE", 1}, {"REGION", 2}};

// Kinds the engine draws: everything of these that was read is written.
const char* const kDrawnKinds[] = {"LINE",      "ARC",    "CIRCLE",  "LWPOLYLINE", "TEXT",  "MTEXT", "INSERT",
                                   "DIMENSION", "SPLINE", "ELLIPSE", "POINT",      "SOLID", "HATCH"};

void ExpectCounts(const Drawing& d, const KindCounts& reference) {
    KindCounts read;
    for (const auto& [kind, c] : d.kinds)
        if (c.read) read[kind] = c.read;
    EXPECT_EQ(read, reference);
    for (const char* kind : kDrawnKinds) {
        auto it = d.kinds.find(kind);
        if (it == d.kinds.end()) continue;
        EXPECT_EQ(it->second.written, it->second.read) << kind;
    }
    // Nothing is lost without a reason.
    for (const auto& [kind, c] : d.kinds) {
        long skipped = 0;
        for (const auto& [reason, n] : c.skipped) skipped += n;
        EXPECT_EQ(c.written + skipped, c.read) << kind;
    }
}

TEST(ReadCounts, DxfFilesMatchEzdxf) {
    for (const auto& [file, reference] : kDxfReference) {
        SCOPED_TRACE(file);
        Drawing d;
        std::string error;
        ASSERT_TRUE(ReadDxf(DataFile("dxf/" + file), d, error)) << error;
        ckw::engine::Drawing out;
        MapToEngine(d, out);
        ExpectCounts(d, reference);
    }
}

TEST(ReadCounts, DwgFilesMatchThePackagesObjectList) {
    for (const char* file : {"example_r14.dwg", "example_2000.dwg", "example_2007.dwg"}) {
        SCOPED_TRACE(file);
        TempDir dir;
        fs::path out = dir.path() / "out.T";
        ckw::shell::RunResult r =
            RunTdwg({DataFile(std::string("dwg/") + file).string(), "--json", "-o", out.string()});
        ASSERT_EQ(r.exitStatus, 0) << r.errors;
        Json report = Json::parse(r.output);
        KindCounts read;
        for (const auto& [kind, c] : report["kinds"].items()) read[kind] = c["read"].get<long>();
        EXPECT_EQ(read, kLibreDwgDwg);
        for (const char* kind : kDrawnKinds) {
            if (report["kinds"].contains(kind)) {
                EXPECT_EQ(report["kinds"][kind]["written"], report["kinds"][kind]["read"]) << kind;
            }
        }
        ckw::engine::Drawing drawing;
        std::string error;
        ASSERT_TRUE(ckw::engine::ReadDrawingFile(out, drawing, error)) << error;
        EXPECT_GE(drawing.LiveCount(), 50u);
        EXPECT_FALSE(drawing.Blocks().empty());
    }
}

}  // namespace
}  // namespace tdwg::test
