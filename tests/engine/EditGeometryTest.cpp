// The geometry of the window's edit commands (placing entities through a move, rotation, scaling
// or mirror; offsets) and the selection a window makes through the hit-test index.
#include <random>

#include "EngineFixture.h"
#include "engine/EntityEdit.h"
#include "engine/Shapes.h"

namespace ckw::test {

namespace {

using engine::Entity;
using engine::Transform;
namespace edit = engine::edit;

Entity Make(int kind, std::vector<float> values, std::string text = {}) {
    Entity e;
    e.kind = kind;
    e.values = std::move(values);
    e.text = std::move(text);
    return e;
}

engine::Bounds OutlineBounds(const engine::Drawing& d, const Entity& e, const Transform& t = {}) {
    engine::Bounds b;
    for (const auto& line : edit::Outline(d, e))
        for (const auto& p : line) {
            double x, y;
            t.Apply(p.x, p.y, x, y);
            b.Add(x, y);
        }
    return b;
}

}  // namespace

// Whatever the entity and the transform, the placed entity's outline is the outline placed: a
// mirrored text reads forwards from the mirrored place of its box, a mirrored insertion mirrors
// its block.
TEST(EditGeometry, PlacedEntitiesOutlineWhereTheirOutlinesArePlaced) {
    engine::Drawing d;
    engine::Block block;
    block.number = 4;
    block.entities = {Make(engine::kLine, {0, 0, 30, 0}), Make(engine::kCircle, {30, 10, 10})};
    d.Blocks()[4] = block;
    const Entity entities[] = {
        Make(engine::kLine, {1, 2, 40, 22}),
        Make(engine::kPolyline, {3, 0, 0, 0, 5, 0, 0, 20, 0, -4, 0, 0, 20, 15, 0, 0, 0}),
        Make(engine::kCircle, {10, 5, 7}),
        Make(engine::kArc, {10, 5, 7, 20, 110}),
        Make(engine::kChineseText, {3.5f, 3, 10, 10, 0, 101, 101}, "梁L1"),
        Make(engine::kWesternText, {5, 4, 10, 10, 30, 102, 103}, "KL2"),
        Make(engine::kDimension, {3, 2, 0, 0, 100, 0, 50, 20}),
        Make(engine::kBlockInsert, {4, 100, 50, 0, 1, 1, 1, 0}),
        Make(engine::kBlockInsert, {4, 100, 50, 0, 2, 1, 1, 90}),
    };
    const struct {
        const char* name;
        Transform t;
    } transforms[] = {
        {"move", edit::Move(-30, 45)},
        {"rotate 90", edit::Rotate(5, 5, 90)},
        {"scale 2.5", edit::Scale(1, 1, 2.5)},
        {"mirror vertical", edit::Mirror(3, 0, 3, 10)},
        {"mirror horizontal", edit::Mirror(0, -2, 10, -2)},
        {"mirror diagonal", edit::Mirror(0, 0, 1, 1)},
    };
    for (const auto& [name, t] : transforms) {
        for (size_t i = 0; i < std::size(entities); ++i) {
            Entity placed = entities[i];
            edit::Place(placed, t);
            const engine::Bounds want = OutlineBounds(d, entities[i], t), got = OutlineBounds(d, placed);
            const double tolerance = 0.02 * std::max(want.xmax - want.xmin, want.ymax - want.ymin) + 1e-3;
            ASSERT_FALSE(got.empty) << name << " " << i;
            EXPECT_NEAR(got.xmin, want.xmin, tolerance) << name << " " << i;
            EXPECT_NEAR(got.ymin, want.ymin, tolerance) << name << " " << i;
            EXPECT_NEAR(got.xmax, want.xmax, tolerance) << name << " " << i;
            EXPECT_NEAR(got.ymax, want.ymax, tolerance) << name << " " << i;
        }
    }
}

TEST(EditGeometry, PlacingKeepsWhatIsNotGeometry) {
    const struct {
        Entity entity;
        Transform t;
        std::vector<float> values;
    } cases[] = {
        // An arc mirrored runs the other way round: its ends swap.
        {Make(engine::kArc, {0, 0, 5, 0, 90}), edit::Mirror(0, 0, 0, 1), {0, 0, 5, 90, 180}},
        // A polyline's arcs bulge to the other side.
        {Make(engine::kPolyline, {2, 0, 0, 0, 3, 0, 0, 10, 0, 0, 0, 0}),
         edit::Mirror(0, 0, 1, 0),
         {2, 0, 0, 0, -3, 0, 0, 10, 0, 0, 0, 0}},
        // Texts grow with the scale; a mirrored one keeps its angle and hangs from its place.
        {Make(engine::kChineseText, {3.5f, 3, 10, 10, 0, 101, 101}), edit::Scale(0, 0, 2), {7, 6, 20, 20, 0, 101, 101}},
        {Make(engine::kChineseText, {3.5f, 3, 10, 10, 0, 101, 101}),
         edit::Mirror(0, 0, 1, 0),
         {3.5f, 3, 10, -10, 0, 101, 103}},
        {Make(engine::kChineseText, {3.5f, 3, 10, 10, 0, 101, 101}),
         edit::Mirror(0, 0, 0, 1),
         {3.5f, 3, -10, 10, 0, 103, 101}},
        // A mirrored insertion turns and reverses its block's y axis.
        {Make(engine::kBlockInsert, {4, 10, 0, 0, 1, 1, 1, 0}),
         edit::Mirror(0, 0, 0, 1),
         {4, -10, 0, 0, 1, -1, 1, 180}},
    };
    for (const auto& c : cases) {
        Entity e = c.entity;
        e.attributes = {12, 2, 300, 4, 0, 0, 0};
        e.xdata = {7, 1, 2, 3};
        e.text = "KL1";
        edit::Place(e, c.t);
        ASSERT_EQ(e.values.size(), c.values.size());
        for (size_t i = 0; i < e.values.size(); ++i) EXPECT_NEAR(e.values[i], c.values[i], 1e-4) << i;
        EXPECT_EQ(e.attributes, (std::array<int, kHostAttributeCount>{12, 2, 300, 4, 0, 0, 0}));
        EXPECT_EQ(e.xdata, (std::vector<int32_t>{7, 1, 2, 3})) << "extended data stays";
        EXPECT_EQ(e.text, "KL1");
    }
}

TEST(EditGeometry, OffsetsAreParallelCopiesOnThePickedSide) {
    const struct {
        Entity entity;
        double distance, sideX, sideY;
        std::optional<std::vector<float>> values;  // nothing: no offset
    } cases[] = {
        {Make(engine::kLine, {0, 0, 10, 0}), 2, 5, 7, std::vector<float>{0, 2, 10, 2}},
        {Make(engine::kLine, {0, 0, 10, 0}), 2, 5, -1, std::vector<float>{0, -2, 10, -2}},
        {Make(engine::kLine, {3, 3, 3, 3}), 2, 5, -1, std::nullopt},  // no length, no direction
        {Make(engine::kCircle, {0, 0, 5}), 2, 9, 0, std::vector<float>{0, 0, 7}},
        {Make(engine::kCircle, {0, 0, 5}), 2, 1, 0, std::vector<float>{0, 0, 3}},
        {Make(engine::kCircle, {0, 0, 5}), 6, 1, 0, std::nullopt},  // would shrink to nothing
        {Make(engine::kArc, {0, 0, 5, 0, 90}), 1, 0, 1, std::vector<float>{0, 0, 4, 0, 90}},
        // A closed square offset outwards: its corners move out diagonally.
        {Make(engine::kPolyline, {4, 1, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 10, 10, 0, 0, 0, 0, 10, 0, 0, 0}), 1, -3, 5,
         std::vector<float>{4, 1, -1, -1, 0, 0, 0, 11, -1, 0, 0, 0, 11, 11, 0, 0, 0, -1, 11, 0, 0, 0}},
        // An open L inwards.
        {Make(engine::kPolyline, {3, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 10, 10, 0, 0, 0}), 1, 5, 2,
         std::vector<float>{3, 0, 0, 1, 0, 0, 0, 9, 1, 0, 0, 0, 9, 10, 0, 0, 0}},
        // A half circle bulging to the right of its travel, offset outwards: radius 5 becomes 6.
        {Make(engine::kPolyline, {2, 0, -5, 0, 5, 0, 0, 5, 0, 0, 0, 0}), 1, 0, -8,
         std::vector<float>{2, 0, -6, 0, 6, 0, 0, 6, 0, 0, 0, 0}},
        {Make(engine::kPolyline, {2, 0, -5, 0, 5, 0, 0, 5, 0, 0, 0, 0}), 6, 0, -1, std::nullopt},
        {Make(engine::kChineseText, {3.5f, 3, 10, 10, 0, 101, 101}, "梁"), 1, 0, 0, std::nullopt},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const auto made = edit::Offset(c.entity, c.distance, c.sideX, c.sideY);
        ASSERT_EQ(made.has_value(), c.values.has_value()) << i;
        if (!made) continue;
        ASSERT_EQ(made->values.size(), c.values->size()) << i;
        for (size_t k = 0; k < made->values.size(); ++k)
            EXPECT_NEAR(made->values[k], (*c.values)[k], 1e-4) << i << ":" << k;
    }
}

// A window takes what lies wholly inside, a crossing also what its edge meets, Shift takes out:
// through the index, the same entities a scan of every entity with the engine's tests finds.
TEST_F(EngineTest, WindowAndCrossingSelectionsAgreeWithAScan) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> at(0, 5000), size(0, 400);
    Pen(0);
    for (int i = 0; i < 2000; ++i) {
        const float x = at(random), y = at(random);
        if (i % 4 == 0)
            eng.HostDrawArc(x, y, size(random) / 2, 0, 360);
        else
            Line(x, y, x + size(random) - 200, y + size(random) - 200);
    }
    auto& d = eng.Current();
    d.Erase(3);
    for (int q = 0; q < 60; ++q) {
        const double x1 = at(random), y1 = at(random), x2 = x1 + at(random) / 4, y2 = y1 + at(random) / 4;
        const bool crossing = q % 2 == 1;
        eng.HostClearSelection();
        eng.SelectInBox(x2, y2, x1, y1, crossing);
        std::vector<size_t> scanned;
        for (size_t i = 0; i < d.Entities().size(); ++i) {
            const Entity& e = d.Entities()[i];
            if (e.deleted) continue;
            if (engine::InsideBox(e, d.Blocks(), x1, y1, x2, y2) ||
                (crossing && engine::CrossesBox(e, d.Blocks(), x1, y1, x2, y2)))
                scanned.push_back(i);
        }
        auto selected = eng.SelectedEntities();
        std::sort(selected.begin(), selected.end());
        ASSERT_EQ(selected, scanned) << q;
        // The same box with Shift leaves nothing of it.
        eng.SelectInBox(x1, y1, x2, y2, crossing, true);
        EXPECT_TRUE(eng.SelectedEntities().empty()) << q;
    }
    // A pick takes the nearest entity, and a second pick of it with Shift takes it out again.
    eng.HostClearSelection();
    const auto& line = d.Entities()[1].values;
    ASSERT_TRUE(eng.SelectNearest(line[0], line[1], 0.5));
    int count = 0;
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 1) << "the library's commands see the window's selection";
    ASSERT_TRUE(eng.SelectNearest(line[0], line[1], 0.5, true));
    EXPECT_TRUE(eng.SelectedEntities().empty());
    // Nothing on a hidden layer is taken.
    Pen(9);
    Line(-100, -100, -50, -100);
    EXPECT_FALSE(eng.SelectNearest(-75, -100, 1, false, {9}));
    EXPECT_EQ(eng.SelectInBox(-200, -200, 0, 0, true, false, {9}), 0u);
    EXPECT_TRUE(eng.SelectedEntities().empty());
    EXPECT_TRUE(eng.SelectNearest(-75, -100, 1, false, {8}));
}

}  // namespace ckw::test
