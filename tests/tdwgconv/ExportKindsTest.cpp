// Every entity kind of the engine goes out as DXF that ezdxf audits without errors, and curves
// come in as polylines within the stated chord tolerance.
#include <cmath>
#include <random>

#include <limits>
#include <sstream>

#include "Curves.h"
#include "DxfWriter.h"
#include "Readers.h"
#include "TWriter.h"
#include "TdwgFixture.h"
#include "base/GbkText.h"

namespace tdwg::test {
namespace {

namespace eng = ckw::engine;
using ckw::text::U8;

eng::Entity Make(int kind, std::vector<float> values, std::string text = {}) {
    eng::Entity e;
    e.kind = kind;
    e.attributes = {1, 1, 250, 3, 0, 0, 0};
    e.values = std::move(values);
    e.text = std::move(text);
    return e;
}

TEST(DxfExport, EveryEngineKindPassesTheAudit) {
    eng::Drawing d;
    d.DefineLayer({1, ckw::text::Utf8ToGbk(U8(u8"梁/柱")), 1, 250, 3, 0});  // '/' cannot stand in a DXF name
    d.DefineLineType(2, {10, -5, 0, -5});
    eng::Block block;
    block.number = 900;
    block.name = "NORTH.T";
    block.entities.push_back(Make(eng::kCircle, {0, 0, 500}));
    d.Blocks()[900] = block;
    const std::string chinese = ckw::text::Utf8ToGbk(U8(u8"一层{结构}\\平面\n第二行"));
    for (eng::Entity e :
         {Make(eng::kPoint, {1, 2}), Make(eng::kLine, {0, 0, 10, 0}),
          Make(eng::kPolyline, {3, 1, 0, 0, 1, 0, 0, 10, 0, 0, 2, 2, 10, 10, 0, 0, 0}),
          Make(eng::kRectangle, {0, 0, 20, 10, 30}), Make(eng::kCircle, {5, 5, 3}), Make(eng::kCore, {5, 5, 1}),
          Make(eng::kArc, {0, 0, 5, 10, 200}), Make(eng::kChineseText, {3, 2.1f, 0, 0, 45, 102, 102}, chinese),
          Make(eng::kWesternText, {3, 3, 0, 0, 0, 101, 101}, "C30"), Make(eng::kTrace, {0, 0, 1, 0, 1, 1, 0, 1}),
          Make(eng::kFilledPolygon, {4, 31, 0, 0, 0, 4, 0, 4, 4, 0, 4}),
          Make(eng::kMultilineText, {3, 3, 0, 20, 0, 101, 103, 1.5f}, chinese),
          Make(eng::kDimension, {2.5f, 2.5f, 0, 0, 100, 0, 50, 20}),
          Make(eng::kBlockInsert, {900, 50, 50, 0, 2, 2, 1, 90})}) {
        e.attributes[1] = e.kind == eng::kLine ? 2 : 1;
        d.Add(std::move(e));
    }
    TempDir dir;
    ckw::dxf::ExportCounts counts;
    std::string error;
    ASSERT_TRUE(ckw::dxf::WriteDxf(d, dir.path() / "kinds.dxf", error, &counts)) << error;
    EXPECT_TRUE(counts.skipped.empty());
    Json j = Ezdxf(dir.path() / "kinds.dxf");
    EXPECT_EQ(j["errors"], 0);
    std::map<std::string, long> theirs,
        expected = {{"POINT", 1}, {"LINE", 4},  {"LWPOLYLINE", 3}, {"CIRCLE", 1}, {"ARC", 1},
                    {"TEXT", 3},  {"TRACE", 1}, {"HATCH", 1},      {"MTEXT", 1},  {"INSERT", 1}};
    for (const auto& [kind, n] : j["counts"].items()) theirs[kind] = n.get<long>();
    EXPECT_EQ(theirs, expected);
    // Line feeds of a single-line text become spaces; a multi-line text keeps its lines and its braces.
    auto texts = j["texts"].get<std::vector<std::string>>();
    EXPECT_NE(std::find(texts.begin(), texts.end(), U8(u8"一层{结构}\\平面 第二行")), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), U8(u8"一层{结构}\\平面\n第二行")), texts.end());
}

// What drawings from elsewhere may hold and no DXF reader takes: infinite numbers (an entity's
// coordinates, an extended-data real) and line breaks inside an extended-data string.
TEST(DxfExport, NeverWritesNonFiniteNumbersOrLineBreaks) {
    const double inf = std::numeric_limits<double>::infinity();
    Drawing neutral;
    Entity line;
    line.kind = "LINE", line.shape = Shape::Line, line.layer = "0";
    line.vertices = {{0, 0}, {10, 0}};
    line.xdata = {{"APP", {{XDataValue::Type::String, 0, 0, "a\nb\rc"}, {XDataValue::Type::Real, 0, inf, {}}}}};
    neutral.entities.push_back(line);
    eng::Drawing d;
    MapToEngine(neutral, d);
    d.Add(Make(eng::kCircle, {0, 0, static_cast<float>(inf)}));
    d.Add(Make(eng::kLine, {0, std::nanf(""), 1, 1}));
    ckw::dxf::ExportCounts counts;
    const std::string dxf = ckw::dxf::DxfText(d, &counts);
    std::istringstream lines(dxf);
    std::string code, value;
    while (std::getline(lines, code) && std::getline(lines, value)) {
        std::string lower = value;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(lower.find("inf") == std::string::npos && lower.find("nan") == std::string::npos) << value;
        if (code == "1000") {
            EXPECT_EQ(value, "a b c");
        }
    }
    EXPECT_EQ(counts.written["LINE"], 1);
    EXPECT_EQ(counts.skipped.size(), 2u);
    TempDir dir;
    WriteBytes(dir.path() / "odd.dxf", dxf);
    EXPECT_EQ(Ezdxf(dir.path() / "odd.dxf")["errors"], 0);
    Drawing back;
    std::string error;
    EXPECT_TRUE(ReadDxfBytes(dxf, back, error)) << error;
}

TEST(Curves, EllipsesStayWithinTheChordTolerance) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> u(0, 1);
    for (int i = 0; i < 50; ++i) {
        double a = 1 + 1000 * u(random), ratio = 0.05 + 0.95 * u(random), angle = 2 * M_PI * u(random);
        double t0 = 2 * M_PI * u(random), t1 = t0 + 0.1 + (2 * M_PI - 0.1) * u(random);
        double mx = a * std::cos(angle), my = a * std::sin(angle), b = a * ratio;
        std::vector<Vertex> v = EllipseVertices(10, -20, mx, my, ratio, t0, t1);
        ASSERT_GE(v.size(), 3u);
        // Every point of each chord is within the tolerance of the curve: measured at 16 points of
        // each chord by the ellipse's implicit equation in its own axes, |r(p) - 1| * b bounds the
        // distance from above.
        for (size_t k = 0; k + 1 < v.size(); ++k)
            for (int s = 1; s < 16; ++s) {
                double w = s / 16.0;
                double px = v[k].x + w * (v[k + 1].x - v[k].x) - 10, py = v[k].y + w * (v[k + 1].y - v[k].y) + 20;
                double x = (px * mx + py * my) / a, y = (-px * my + py * mx) / a;
                double r = std::sqrt(x * x / (a * a) + y * y / (b * b));
                ASSERT_LE((1 - r) * b, kChordTolerance * a) << i << " " << k;
            }
        // Both ends lie on the curve at their parameters.
        EXPECT_NEAR(v.front().x, 10 + a * std::cos(t0) * std::cos(angle) - b * std::sin(t0) * std::sin(angle),
                    1e-9 * a);
        EXPECT_NEAR(v.back().y, -20 + a * std::cos(t1) * std::sin(angle) + b * std::sin(t1) * std::cos(angle),
                    1e-9 * a);
    }
}

// Start and end parameters as files give them: wrapped, equal, beyond a double's precision for
// a turn (this once never returned), or with no finite sweep.
TEST(Curves, EllipseParametersAreReducedToOneTurn) {
    auto ends = [](double t0, double t1) { return EllipseVertices(0, 0, 2, 0, 0.5, t0, t1); };
    std::vector<Vertex> full = ends(0, 0);
    ASSERT_GE(full.size(), 8u);
    EXPECT_NEAR(full.front().x, full.back().x, 1e-9);
    EXPECT_NEAR(full.front().y, full.back().y, 1e-9);
    std::vector<Vertex> wrapped = ends(3 * M_PI / 2, M_PI / 2);  // the right half, through zero
    ASSERT_FALSE(wrapped.empty());
    for (const Vertex& p : wrapped) EXPECT_GE(p.x, -1e-9);
    for (double t0 : {1e17, 1e300, -1e300}) EXPECT_FALSE(ends(t0, 0).empty()) << t0;
    EXPECT_TRUE(ends(-1.7e308, 1.7e308).empty());
}

}  // namespace
}  // namespace tdwg::test
