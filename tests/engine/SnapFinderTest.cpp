// Object snaps found at the cursor: each kind on the entities that offer it, the tie and
// last-resort rules, the kinds asked, the reach, erased entities and block content.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "engine/SnapFinder.h"

namespace ckw::test {

namespace {

using engine::Entity;
using engine::SnapKind;

Entity Make(int kind, std::vector<float> values, std::string text = {}) {
    Entity e;
    e.kind = kind;
    e.attributes = {1, 1, 0, 7, 0, 0, 0};
    e.values = std::move(values);
    e.text = std::move(text);
    return e;
}

engine::Drawing SnapDrawing() {
    engine::Drawing d;
    d.Add(Make(engine::kLine, {0, 0, 100, 0}));
    d.Add(Make(engine::kLine, {50, -50, 50, 50}));  // crosses the first at its middle
    d.Add(Make(engine::kCircle, {200, 0, 20}));
    d.Add(Make(engine::kCircle, {230, 0, 20}));       // crosses the first circle at x 215
    d.Add(Make(engine::kLine, {190, -40, 190, 40}));  // crosses the first circle at y +-17.32
    d.Add(Make(engine::kArc, {300, 0, 30, 0, 90}));
    d.Add(Make(engine::kPolyline, {2, 0, 400, 0, 20, 0, 0, 440, 0, 0, 0, 0}));  // a half circle below
    d.Add(Make(engine::kWesternText, {3.5f, 2.5f, 500, 0, 0, 101, 101}, "KL1"));
    d.Add(Make(engine::kPoint, {600, 0}));
    engine::Block block;
    block.number = 3;
    block.entities.push_back(Make(engine::kLine, {2, 0, 10, 10}));
    d.Blocks()[3] = block;
    d.Add(Make(engine::kBlockInsert, {3, 700, 0, 0, 2, 2, 1, 0}));
    d.Add(Make(engine::kBlockInsert, {3, 800, 100, 0, 1, 3, 1, 90}));  // stretched and turned
    engine::Block cross;
    cross.number = 4;
    cross.entities = {Make(engine::kLine, {0, 0, 10, 10}), Make(engine::kLine, {0, 10, 10, 0})};
    d.Blocks()[4] = cross;
    d.Add(Make(engine::kBlockInsert, {4, 1300, 0, 0, 1, 1, 1, 0}));
    d.Add(Make(engine::kLine, {800, 0, 900, 0}));
    // What a damaged drawing may hold near (1200, 0): no snap comes of it, and nothing breaks.
    const float nan = std::numeric_limits<float>::quiet_NaN(), huge = 3e38f;
    d.Add(Make(engine::kArc, {1200, 0, 10, nan, 90}));
    d.Add(Make(engine::kPolyline, {huge, 0, 1200, 0, nan, 0, 0, 1210, 0, 0, 0, 0}));
    d.Add(Make(engine::kBlockInsert, {nan, 1200, 0, 0, 1, 1, 1, 0}));
    const size_t erased = d.Add(Make(engine::kLine, {1000, 0, 1100, 0}));
    d.Erase(erased);
    return d;
}

}  // namespace

TEST(SnapFinder, FindsEachKindWhereTheEntitiesOfferIt) {
    constexpr unsigned kAll = engine::kAllSnaps;
    const unsigned centreAlone = engine::SnapBit(SnapKind::Centre);
    struct Case {
        const char* what;
        double x, y, within;
        unsigned kinds;
        std::optional<engine::Point2> from;
        std::optional<SnapKind> kind;  // nothing: no snap
        double sx = 0, sy = 0;
    };
    const double root300 = std::sqrt(300.0), root175 = std::sqrt(175.0), half = 30 / std::sqrt(2.0);
    const Case cases[] = {
        {"line end", 98, 2, 5, kAll, {}, SnapKind::Endpoint, 100, 0},
        {"crossing wins a tie with the middle", 51, 1, 5, kAll, {}, SnapKind::Intersection, 50, 0},
        {"middle alone", 51, 1, 5, engine::SnapBit(SnapKind::Midpoint), {}, SnapKind::Midpoint, 50, 0},
        {"circle centre", 201, 1, 5, kAll, {}, SnapKind::Centre, 200, 0},
        {"centre alone from the outline", 219, -6, 5, centreAlone, {}, SnapKind::Centre, 200, 0},
        {"line across a circle", 190.5, 17, 5, kAll, {}, SnapKind::Intersection, 190, root300},
        {"two circles", 215, 12, 5, kAll, {}, SnapKind::Intersection, 215, root175},
        {"arc end", 329, 1, 5, kAll, {}, SnapKind::Endpoint, 330, 0},
        {"arc middle", 321, 22, 5, kAll, {}, SnapKind::Midpoint, 300 + half, half},
        {"polyline arc middle", 421, -19, 5, kAll, {}, SnapKind::Midpoint, 420, -20},
        {"polyline arc centre", 421, 1, 5, kAll, {}, SnapKind::Centre, 420, 0},
        {"text insertion", 501, 1, 5, kAll, {}, SnapKind::Insertion, 500, 0},
        {"point node", 601, -1, 5, kAll, {}, SnapKind::Node, 600, 0},
        {"block insertion", 701, 1, 5, kAll, {}, SnapKind::Insertion, 700, 0},
        {"end inside a scaled block", 719, 19, 5, kAll, {}, SnapKind::Endpoint, 720, 20},
        {"end inside a stretched, turned block", 771, 111, 5, kAll, {}, SnapKind::Endpoint, 770, 110},
        {"crossing of two lines in a block", 1305.5, 5.5, 5, kAll, {}, SnapKind::Intersection, 1305, 5},
        {"perpendicular foot beats nearest", 831, 1, 5, kAll, engine::Point2{830, 100}, SnapKind::Perpendicular, 830,
         0},
        {"foot off the segment", 905, 1, 5, engine::SnapBit(SnapKind::Perpendicular), engine::Point2{950, 100},
         std::nullopt},
        {"foot on a circle", 200, 19, 5, engine::SnapBit(SnapKind::Perpendicular), engine::Point2{200, 100},
         SnapKind::Perpendicular, 200, 20},
        {"nearest as a last resort", 870, 2, 5, kAll, {}, SnapKind::Nearest, 870, 0},
        {"nothing within reach", 870, 6, 5, kAll, {}, std::nullopt},
        {"kinds not asked",
         98,
         2,
         5,
         engine::SnapBit(SnapKind::Centre) | engine::SnapBit(SnapKind::Node),
         {},
         std::nullopt},
        {"erased entities offer nothing", 1000, 1, 5, kAll, {}, std::nullopt},
        {"no number is no snap", 1195, 30, 5, engine::SnapBit(SnapKind::Midpoint), {}, std::nullopt},
        {"a damaged polyline keeps its ends", 1209, 1, 5, kAll, {}, SnapKind::Endpoint, 1210, 0},
        {"no reach, no snap", 98, 0, 0, kAll, {}, std::nullopt},
    };
    const engine::Drawing d = SnapDrawing();
    const engine::SnapFinder finder(d);
    for (const Case& c : cases) {
        engine::SnapQuery query;
        query.x = c.x;
        query.y = c.y;
        query.within = c.within;
        query.kinds = c.kinds;
        query.from = c.from;
        auto snap = finder.Find(d, query);
        ASSERT_EQ(snap.has_value(), c.kind.has_value()) << c.what;
        if (!snap) continue;
        EXPECT_EQ(snap->kind, *c.kind) << c.what;
        EXPECT_NEAR(snap->x, c.sx, 1e-3) << c.what;
        EXPECT_NEAR(snap->y, c.sy, 1e-3) << c.what;
    }
}

}  // namespace ckw::test
