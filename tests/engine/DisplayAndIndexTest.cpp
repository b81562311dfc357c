// The display model every painter draws from, the hit-test index and crossing selection.
#include <random>

#include "engine/DisplayModel.h"
#include "EngineFixture.h"
#include "engine/EntityIndex.h"
#include "engine/Shapes.h"

namespace ckw::test {

TEST(DashPattern, DashesGapsAndDotsAlternateStartingWithADash) {
    struct Case {
        std::vector<float> dashes;
        std::vector<double> pattern;
    };
    const Case cases[] = {
        {{6, -3}, {6, 3}},
        {{-3, 6}, {0, 3, 6, 0}},           // a leading gap: an empty dash first
        {{6, -1, 0, -1}, {6, 1, 0.5, 1}},  // a dot is drawn half a unit here
        {{5, 5, -2}, {10, 2}},             // two dashes in a row join
        {{4}, {4, 0}},
        {{}, {}},
        {{-2, -2}, {0, 4}},                                          // all gaps: the line type draws nothing
        {{std::numeric_limits<float>::quiet_NaN(), 6, -1}, {6, 1}},  // a value that is no number is left out
    };
    for (const Case& c : cases) EXPECT_EQ(engine::DashPattern(c.dashes, 0.5), c.pattern);
}

TEST_F(EngineTest, DisplayModelResolvesColourByLayerAndKeepsBlocksAsInsertions) {
    eng.Current().DefineLayer({12, "BEAM", 1, 300, 2, 0});
    Pen(12, 1, 300, 256);  // colour by layer
    Line(0, 0, 10, 0);
    Pen(12, 1, 0, 0);
    Line(0, 5, 10, 5);
    engine::Block block;
    block.number = 5;
    engine::Entity inner;
    inner.kind = engine::kCircle;
    inner.values = {0, 0, 2};
    block.entities.push_back(inner);
    eng.Current().Blocks()[5] = block;
    const float place[9] = {100, 50, 0, 2, 2, 1, 0, 0, 90};
    eng.HostInsertBlock(5, 1, nullptr, place);

    engine::DisplayModel model(eng.Current());
    std::vector<engine::Primitive::Kind> kinds;
    for (const auto& p : model.Items()) kinds.push_back(p.kind);
    ASSERT_EQ(kinds.size(), 3u);
    EXPECT_EQ(model.Items()[0].pen.colour, 2) << "colour 256 takes the layer's";
    EXPECT_EQ(model.Items()[0].pen.widthCode, 300);
    EXPECT_EQ(model.Items()[1].pen.colour, 7) << "colour 0 draws white";
    EXPECT_EQ(kinds[2], engine::Primitive::Kind::Insert);
    EXPECT_EQ(model.Items()[2].block, 5);
    ASSERT_EQ(model.Blocks().at(5).size(), 1u);
    EXPECT_EQ(model.Blocks().at(5)[0].kind, engine::Primitive::Kind::Circle);
}

// A model built a part at a time ends as the model built at once; its layers and extents are
// known before any entity is in.
TEST_F(EngineTest, DisplayModelBuiltInPartsEqualsTheModelBuiltAtOnce) {
    for (int i = 0; i < 40; ++i) {
        Pen(1 + i % 3);
        Line(float(i), 0, float(i), 10);
        if (i % 5 == 0) Text("KL" + std::to_string(i), float(i), 20);
    }
    Pen(9);
    Line(0, 0, 1, 1);
    eng.Current().Erase(eng.Current().Entities().size() - 1);  // layer 9 keeps nothing drawn

    const engine::DisplayModel whole(eng.Current());
    auto parts = engine::DisplayModel::Started(eng.Current());
    EXPECT_EQ(parts.Layers(), (std::set<int>{1, 2, 3}));
    std::array<float, 4> early{}, late{};
    ASSERT_TRUE(parts.Extents(early));
    ASSERT_TRUE(whole.Extents(late));
    EXPECT_EQ(early, late);
    EXPECT_TRUE(parts.Items().empty());
    EXPECT_EQ(parts.Progress(), 0.0);
    int steps = 0;
    while (!parts.Continue(7)) ++steps;
    EXPECT_EQ(steps, 6);  // 48 entities, 7 at a time
    ASSERT_EQ(parts.Items().size(), whole.Items().size());
    for (size_t i = 0; i < whole.Items().size(); ++i) {
        EXPECT_EQ(parts.Items()[i].kind, whole.Items()[i].kind);
        EXPECT_EQ(parts.Items()[i].pen.layer, whole.Items()[i].pen.layer);
        EXPECT_EQ(parts.Items()[i].points.size(), whole.Items()[i].points.size());
    }
    EXPECT_EQ(parts.Progress(), 1.0);
}

// A drawing's extents are those of its entities' outlines, whichever way each kind is measured.
TEST(DrawingExtents, AgreeWithTheOutlinesOfEveryEntity) {
    engine::Drawing d;
    std::mt19937 random(11);
    std::uniform_real_distribution<float> at(-5000, 5000), size(-300, 300);
    for (int i = 0; i < 600; ++i) {
        engine::Entity e;
        const float x = at(random), y = at(random);
        switch (i % 4) {
        case 0:
            e.kind = engine::kCircle;  // negative and zero radii too
            e.values = {x, y, i % 40 == 0 ? 0.0f : size(random)};
            break;
        case 1:
            e.kind = engine::kLine;
            e.values = {x, y, x + size(random), y + size(random)};
            break;
        default:
            e.kind = engine::kPolyline;  // straight, or with an arc on every other one
            e.values = {3, float(i % 2)};
            for (int v = 0; v < 3; ++v)
                e.values.insert(e.values.end(), {x + size(random), y + size(random), i % 4 == 3 ? 80.0f : 0.0f, 0, 0});
        }
        d.Add(e);
        engine::Bounds outlines;
        for (const auto& entity : d.Entities())
            for (const auto& line : engine::Outline(entity))
                for (const auto& p : line) outlines.Add(p.x, p.y);
        std::array<float, 4> box;
        ASSERT_TRUE(d.Extents(box));
        ASSERT_EQ(box, (std::array<float, 4>{outlines.xmin, outlines.ymin, outlines.xmax, outlines.ymax})) << i;
    }
}

// The index finds what a scan of every entity finds, for entities of every size.
TEST(EntityIndex, NearestAgreesWithALinearScan) {
    engine::Drawing d;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> at(0, 10000), size(0, 300);
    for (int i = 0; i < 3000; ++i) {
        engine::Entity e;
        if (i % 3 == 0) {
            e.kind = engine::kCircle;
            e.values = {at(random), at(random), size(random)};
        } else {
            e.kind = engine::kLine;
            float x = at(random), y = at(random);
            // Now and then a line across the whole drawing.
            float reach = i % 97 == 0 ? 10000 : size(random);
            e.values = {x, y, x + reach, y + size(random)};
        }
        d.Add(e);
    }
    d.Erase(5);
    engine::EntityIndex index(d);
    for (int q = 0; q < 400; ++q) {
        const double x = at(random) * 1.1 - 500, y = at(random) * 1.1 - 500, within = q % 2 ? 20 : 150;
        std::optional<size_t> scanned;
        double best = within;
        for (size_t i = 0; i < d.Entities().size(); ++i) {
            if (d.Entities()[i].deleted) continue;
            double distance = engine::DistanceTo(d.Entities()[i], d.Blocks(), x, y);
            if (distance <= best) best = distance, scanned = i;
        }
        size_t found = 0;
        const bool any = index.Nearest(d, x, y, within, found);
        ASSERT_EQ(any, scanned.has_value()) << x << "," << y;
        if (any) {
            EXPECT_EQ(found, *scanned) << x << "," << y;
        }
    }
}

TEST_F(EngineTest, CrossingSelectsWhatTheBoxTouchesAWindowOnlyWhatItHolds) {
    Pen(0);
    Line(0, 0, 100, 0);    // crosses the box
    Line(40, 10, 60, 10);  // inside
    Line(0, 50, 100, 50);  // outside
    const uint64_t revision = eng.Current().Revision();
    for (const char* script : {"window 20 -5 80 20", "crossing 80 20 20 -5"}) {
        eng.HostClearSelection();
        std::string error;
        ASSERT_TRUE(eng.LoadInputScript(script, error)) << error;
        eng.HostSelectEntities(0);
        int count = 0;
        eng.HostGetSelectionCount(count);
        EXPECT_EQ(count, std::string(script).starts_with("window") ? 1 : 2) << script;
    }
    EXPECT_EQ(eng.Current().Revision(), revision) << "selecting changes nothing in the drawing";
}

}  // namespace ckw::test
