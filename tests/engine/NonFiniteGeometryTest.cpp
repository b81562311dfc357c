// A drawing may hold any float: NaN, infinities and huge values in every place of every kind of
// entity. Outlines, extents, hit tests, moves, the display model and the picture take them without
// hanging or converting them to int (the sanitizer build stops on such a conversion).
#include <limits>
#include <sstream>

#include "EngineFixture.h"
#include "engine/DisplayModel.h"
#include "engine/EntityIndex.h"
#include "engine/Shapes.h"

namespace ckw::test {
namespace {

using engine::Entity;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(WholeNumber, NonFiniteAndHugeValuesBecomeInts) {
    EXPECT_EQ(engine::WholeNumber(kNaN), 0);
    EXPECT_EQ(engine::WholeNumber(kInf), std::numeric_limits<int>::max());
    EXPECT_EQ(engine::WholeNumber(-kInf), std::numeric_limits<int>::min());
    EXPECT_EQ(engine::WholeNumber(3e38), std::numeric_limits<int>::max());
    EXPECT_EQ(engine::WholeNumber(998.0f), 998);
}

TEST(PolylineVertexCount, NeverMoreVerticesThanTheRecordHolds) {
    struct Case {
        std::vector<float> values;
        int count;
    };
    const Case cases[] = {
        {{2, 0, 10, 10, 0, 0, 0, 20, 20, 0, 0, 0}, 2},
        {{9, 0, 10, 10, 0, 0, 0, 20, 20, 0, 0, 0}, 2},   // a count beyond the vertices held
        {{3e38f, 0, 10, 10, 0, 0, 0, 20, 20, 0, 0}, 1},  // the second vertex is cut short
        {{kNaN, 0, 10, 10, 0, 0, 0}, 0},
        {{-4, 0, 10, 10, 0, 0, 0}, 0},
        {{5}, 0},
    };
    for (const Case& c : cases) {
        Entity e{engine::kPolyline, 0, 0, {1, 1, 0, 7}, c.values, "", {}, false};
        EXPECT_EQ(engine::PolylineVertexCount(e), c.count);
        // Nothing made up at 0, 0: the outline stays among the vertices held.
        engine::Bounds bounds;
        engine::AddEntityBounds(e, {}, engine::Transform::Translation(0, 0.5), bounds, 0);
        EXPECT_TRUE(bounds.empty || bounds.xmin >= 10) << c.values[0];
    }
}

TEST_F(EngineTest, EveryKindOfEntityTakesValuesThatAreNoNumbers) {
    eng.Current().Blocks()[998] = {998, "B.T", {0, 0, 0, 1, 1, 0}, {}};
    eng.Current().Blocks()[998].entities.push_back({engine::kLine, 0, 0, {1, 1, 0, 7}, {0, 0, 1, 1}, "", {}, false});
    const int kinds[] = {engine::kPoint,       engine::kLine,       engine::kPolyline,      engine::kRectangle,
                         engine::kCircle,      engine::kCore,       engine::kArc,           engine::kChineseText,
                         engine::kWesternText, engine::kTrace,      engine::kFilledPolygon, engine::kMultilineText,
                         engine::kDimension,   engine::kBlockInsert};
    // A sound value in every place but one, which gets the bad one; then every place bad at once.
    const float bad[] = {kNaN, kInf, -kInf, 3e38f, -3e38f};
    for (const int kind : kinds) {
        for (const float value : bad) {
            for (size_t place = 0; place <= 12; ++place) {
                std::vector<float> values(12, 2.0f);
                if (kind == engine::kBlockInsert) values[0] = 998;
                if (place < values.size())
                    values[place] = value;
                else
                    values.assign(values.size(), value);
                Entity e{kind, 0, 0, {1, 1, 0, 7}, values, "12", {}, false};
                eng.Current().Add(e);
                engine::TransformEntity(e, engine::Transform::ScaleAbout(0, 0, 2));
                engine::Bounds bounds;
                engine::AddEntityBounds(e, eng.Current().Blocks(), {}, bounds, 0);
                (void)engine::DistanceTo(e, eng.Current().Blocks(), 1, 1);
                (void)engine::CrossesBox(e, eng.Current().Blocks(), 0, 0, 5, 5);
            }
        }
    }
    const engine::DisplayModel model(eng.Current());
    const engine::EntityIndex index(eng.Current());
    EXPECT_FALSE(index.Near(1, 1, kInf).empty()) << "a search without end finds every placed entity";
    std::ostringstream out;
    engine::WriteSvg(eng.Current(), out);
    const std::string svg = out.str();
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
}

}  // namespace
}  // namespace ckw::test
