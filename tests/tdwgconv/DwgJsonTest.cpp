// The DWG reader's output is read tolerantly: a field of another type than expected, missing or
// out of range costs at most the entity it belongs to, never the drawing.
#include <random>

#include <ckw/ReferenceEngine.h>
#include "Readers.h"
#include "TdwgFixture.h"
#include "TWriter.h"

namespace tdwg::test {
namespace {

Json DrawingWith(const Json& entity) {
    return {{"header", {{"ACADVER", "AC1027"}}},
            {"layers", Json::array({{{"name", "0"}, {"off", 1}}})},
            {"blocks", Json::array({{{"name", "*Model_Space"}, {"handle", "1F"}}})},
            {"entities", Json::array({entity})}};
}

// Every kind read is written or skipped with a reason.
void ExpectAccounted(Drawing& d) {
    ckw::engine::Drawing out;
    MapToEngine(d, out);
    for (const auto& [kind, c] : d.kinds) {
        long skipped = 0;
        for (const auto& [reason, n] : c.skipped) skipped += n;
        EXPECT_EQ(c.written + skipped, c.read) << kind;
    }
}

TEST(DwgJson, FlagsComeAsNumbersOrBooleans) {
    // A hatch arc edge whose direction is a number (as 2013 files give it) and a layer whose
    // "off" is one.
    Json edge = {{"type", 2}, {"center", {{"x", 0}, {"y", 0}}}, {"radius", 1}, {"startAngle", 0}, {"endAngle", M_PI},
                 {"isCCW", 0}};
    Json line = {{"type", 1}, {"start", {{"x", -1}, {"y", 0}}}, {"end", {{"x", 1}, {"y", 0}}}};
    Json hatch = {{"type", "HATCH"},
                  {"ownerBlockRecordSoftId", "1F"},
                  {"boundaryPaths", Json::array({{{"edges", Json::array({edge, line})}}})}};
    Drawing d;
    std::string error;
    ASSERT_TRUE(ParseDwgJson(DrawingWith(hatch).dump(), d, error)) << error;
    ASSERT_EQ(d.entities.size(), 1u);
    const Entity& e = d.entities[0];
    EXPECT_EQ(e.shape, Shape::Polyline);
    ASSERT_GE(e.vertices.size(), 2u);
    EXPECT_LT(e.vertices[0].bulge, 0);  // clockwise
    EXPECT_LT(d.layers.at(0).colour, 0) << "switched off";
}

// Random fields of a real drawing's output replaced by values of other types: every drawing
// still converts and every entity is written or skipped with a reason.
TEST(DwgJson, FieldsOfAnyTypeNeverCostTheDrawing) {
    ckw::shell::RunResult r = ckw::shell::RunAndCapture(
        {"node", std::string(CKW_TDWGCONV_TEST_DIR) + "/../../tools/tdwgconv/dwg/read-dwg.mjs",
         DataFile("dwg/example_2000.dwg").string()},
        std::chrono::seconds(120));
    ASSERT_EQ(r.exitStatus, 0) << r.errors;
    const Json original = Json::parse(r.output);
    const Json odd[] = {Json(nullptr), Json(true), Json(1), Json(-1e300), Json("x"), Json::array(), Json::object()};
    std::mt19937 random(26);
    for (int round = 0; round < 40; ++round) {
        Json j = original;
        // Visit every field; change about one in twenty.
        std::function<void(Json&)> mutate = [&](Json& node) {
            if (node.is_object() || node.is_array()) {
                for (auto& child : node) mutate(child);
                return;
            }
            if (random() % 20 == 0) node = odd[random() % std::size(odd)];
        };
        mutate(j["entities"]);
        mutate(j["blocks"]);
        mutate(j["layers"]);
        Drawing d;
        std::string error;
        ASSERT_TRUE(ParseDwgJson(j.dump(), d, error)) << "round " << round << ": " << error;
        ExpectAccounted(d);
    }
}

Drawing ReadDwgFile(const std::string& name) {
    DwgReaderSetup setup{fs::path(CKW_TDWGCONV_TEST_DIR) / "../../tools/tdwgconv/dwg/read-dwg.mjs"};
    Drawing d;
    std::string error;
    EXPECT_TRUE(ReadDwg(DataFile("dwg/" + name), setup, d, error)) << error;
    return d;
}

// An R11 drawing's two solids on extrusion (0,0,-1) are stored at x = -32; mirrored they lie
// among the drawing's lines (x from 10 to 43).
TEST(DwgJson, SolidsOnExtrusionMinusZLieWhereTheyAreDrawn) {
    Drawing d = ReadDwgFile("lw_r11_ACEB10.dwg");
    double minX = 1e300, maxX = -1e300;
    for (const Entity& e : d.entities)
        if (e.kind == "LINE")
            for (const Vertex& v : e.vertices) minX = std::min(minX, v.x), maxX = std::max(maxX, v.x);
    int solids = 0;
    for (const Entity& e : d.entities) {
        if (e.kind != "SOLID") continue;
        ++solids;
        for (const Vertex& v : e.vertices) {
            EXPECT_GE(v.x, minX);
            EXPECT_LE(v.x, maxX);
        }
    }
    EXPECT_EQ(solids, 7);
}

// Kinds the DWG reader hands on nowhere are named in the report with their count: this drawing's
// 25 proxy entities once vanished without a word.
TEST(DwgJson, KindsTheReaderDoesNotHandOnAreNamed) {
    TempDir dir;
    ckw::shell::RunResult r =
        RunTdwg({DataFile("dwg/lw_2013_gh109_1.dwg").string(), "--json", "-o", (dir.path() / "out.T").string()});
    ASSERT_EQ(r.exitStatus, 0) << r.errors;
    Json proxies = Json::parse(r.output)["kinds"]["PROXY_ENTITY"];
    EXPECT_EQ(proxies["read"], 25);
    EXPECT_EQ(proxies["skipped"]["proxy entity (an application's own object; no outline is handed on)"], 25);
}

// A real drawing of this kind used to abort whole.
TEST(DwgJson, ADrawingWithNumericArcDirectionsConverts) {
    TempDir dir;
    fs::path out = dir.path() / "out.T";
    ckw::shell::RunResult r = RunTdwg({DataFile("dwg/lw_2013_gh44-error.dwg").string(), "--json", "-o", out.string()});
    ASSERT_EQ(r.exitStatus, 0) << r.errors;
    Json report = Json::parse(r.output);
    EXPECT_EQ(report["version"], "AC1027");
    // Most of it is drawn on its paper-space sheet, which stays out; the model's lines come in.
    EXPECT_EQ(report["kinds"]["LINE"]["written"], 98);
    // Its attribute values belong to an insert on the paper-space sheet: they stay out with it.
    EXPECT_EQ(report["kinds"]["ATTRIB"]["skipped"]["paper space"], 16);
}

// A DWG says its version and code page in the report, and the texts of a drawing before 2007 are
// decoded with its code page: the degree sign of a 2000 drawing in ANSI_1252 arrives as GBK's.
TEST(DwgJson, VersionAndCodePageAreReadAndOlderTextsDecodedWithIt) {
    struct Case {
        const char *file, *version, *codePage;
    };
    TempDir dir;
    const fs::path out = dir.path() / "out.T";
    for (const Case& c :
         {Case{"lw_r14_v.dwg", "AC1014", "ANSI_1252"}, Case{"lw_2007_ATMOS-DC22S.dwg", "AC1021", "ANSI_1250"},
          Case{"lw_2013_gh109_1.dwg", "AC1027", "ANSI_936"}, Case{"example_2000.dwg", "AC1015", "ANSI_1252"}}) {
        SCOPED_TRACE(c.file);
        ckw::shell::RunResult r =
            RunTdwg({DataFile(std::string("dwg/") + c.file).string(), "--json", "-o", out.string()});
        ASSERT_EQ(r.exitStatus, 0) << r.errors;
        Json report = Json::parse(r.output);
        EXPECT_EQ(report["version"], c.version);
        EXPECT_EQ(report["code_page"], c.codePage);
    }
    ckw::engine::Drawing d;
    std::string error;
    ASSERT_TRUE(ckw::engine::ReadDrawingFile(out, d, error)) << error;
    std::vector<const ckw::engine::Entity*> all;
    for (const auto& e : d.Entities()) all.push_back(&e);
    for (const auto& [n, block] : d.Blocks())
        for (const auto& e : block.entities) all.push_back(&e);
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const ckw::engine::Entity* e) {
        return e->text.find("108\xA1\xE3") != std::string::npos;  // "108°"
    }));
}

}  // namespace
}  // namespace tdwg::test
