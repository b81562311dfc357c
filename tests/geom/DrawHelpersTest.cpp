#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <ckw/Util.h>
#include "support/MockHostEngine.h"
#include "support/RecordingEngine.h"
#include "support/TestEnv.h"

namespace {

using ckw::test::MockHostEngine;
using ckw::test::RecordingEngine;
using ckw::test::ScopedHostEngine;
using testing::_;
using Points = std::vector<std::pair<double, double>>;

CArray<KeloPoint2d, KeloPoint2d&> Array(const Points& points) {
    CArray<KeloPoint2d, KeloPoint2d&> array;
    for (auto [x, y] : points) {
        KeloPoint2d p(x, y);
        array.Add(p);
    }
    return array;
}

// The polyline the break line hands the host.
Points BreakLine(KeloPoint2d p1, KeloPoint2d p2) {
    testing::StrictMock<MockHostEngine> host;
    ScopedHostEngine scope(&host);
    Points drawn;
    EXPECT_CALL(host, HostDrawPolyline(6, _, _)).WillOnce([&](const int& n, const float* xs, const float* ys) {
        for (int i = 0; i < n; ++i) drawn.emplace_back(xs[i], ys[i]);
    });
    CUtil().kw_BreakLine(p1, p2, 123.0f);
    return drawn;
}

void ExpectPoints(const Points& actual, const Points& expected, double tol = 1e-4) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i].first, expected[i].first, tol) << "point " << i;
        EXPECT_NEAR(actual[i].second, expected[i].second, tol) << "point " << i;
    }
}

TEST(CUtilBreakLine, ShortLineScalesTheSymbol) {
    // 100 apart: k = 0.4, so the ends overrun by 80 and the peaks stand 60 off the axis.
    ExpectPoints(BreakLine(KeloPoint2d(0.0, 0.0), KeloPoint2d(100.0, 0.0)),
                 {{-80, 0}, {10, 0}, {30, 60}, {70, -60}, {90, 0}, {180, 0}});
}

TEST(CUtilBreakLine, FullSizeFrom200OnAndFollowsTheLine) {
    ExpectPoints(BreakLine(KeloPoint2d(0.0, 0.0), KeloPoint2d(200.0, 0.0)),
                 {{-200, 0}, {0, 0}, {50, 150}, {150, -150}, {200, 0}, {400, 0}});
    // A vertical line 300 long: the peaks go to the left and right of its direction.
    ExpectPoints(BreakLine(KeloPoint2d(5.0, 5.0), KeloPoint2d(5.0, 305.0)),
                 {{5, -195}, {5, 55}, {-145, 105}, {155, 205}, {5, 255}, {5, 505}});
    Points justShort = BreakLine(KeloPoint2d(0.0, 0.0), KeloPoint2d(199.0, 0.0));
    EXPECT_NEAR(justShort[0].first, -0.8 * 199.0, 1e-3);
}

TEST(CUtilDrawing, LineUserCoordsAndArcGoToTheHostAsFloats) {
    RecordingEngine host;
    ScopedHostEngine scope(&host);
    CUtil u;
    u.kw_Line(KeloPoint2d(0.1, 2.0), KeloPoint2d(3.0, 4.5));
    u.MakeLine(KeloPoint2d(1.0, 2.0), KeloPoint2d(3.0, 4.0));
    u.kw_MyUsercs(KeloPoint2d(100.0, 50.0), 2.5f);
    u.MakeArc(KeloPoint2d(0.0, 0.0), KeloPoint2d(10.0, 0.0), KeloPoint2d(0.0, 10.0));
    u.MakeArc(KeloPoint2d(0.0, 0.0), KeloPoint2d(10.0, 0.0), KeloPoint2d(0.0, -99.0));  // end's distance unused
    EXPECT_EQ(host.Calls(), (std::vector<std::string>{
                                "HostDrawLine(0.1, 2, 3, 4.5)",
                                "HostDrawLine(1, 2, 3, 4)",
                                "HostSetUserCoords([100 50 0 2.5 2.5 1 0 0 0])",
                                "HostDrawArc(0, 0, 10, 0, 90)",
                                "HostDrawArc(0, 0, 10, 0, -90)",
                            }));
}

TEST(CUtilDrawing, PolylinesAndFilledPolygons) {
    RecordingEngine host;
    ScopedHostEngine scope(&host);
    CUtil u;
    auto empty = Array({});
    u.MakePolyFh(empty, 1);       // nothing
    u.MakePline(empty, 0.5f, 0);  // still a call, of no points
    auto triangle = Array({{0, 0}, {10, 0}, {0, 5}});
    u.MakePolyFh(triangle, 1);
    u.MakePolyFh(triangle, 0);
    u.MakePline(triangle, 0.5f, 1);
    // A half circle: the midpoint of the chord is the centre, so the arc height is the radius.
    u.MakeArcPline(KeloPoint2d(0.0, 0.0), KeloPoint2d(10.0, 0.0), KeloPoint2d(-10.0, 0.0), 2.0f);
    u.MakeArcPline(KeloPoint2d(0.0, 0.0), KeloPoint2d(10.0, 0.0), KeloPoint2d(0.0, 10.0), 1.0f);
    EXPECT_EQ(host.Calls(),
              (std::vector<std::string>{
                  "HostDrawWidePolyline(0, [], [], [], [], [], [], 0)",
                  "HostDrawFilledPolygon(3, [0 10 0], [0 0 5], 0, [0 0 0 0 0 0 0 0 0 0], 31)",
                  "HostDrawFilledPolygon(3, [0 10 0], [0 0 5], 0, [0 0 0 0 0 0 0 0 0 0], 32)",
                  "HostDrawWidePolyline(3, [0 10 0], [0 0 5], [0 0 0], [0.5 0.5 0.5], [0 0 0], [0 0 0], 1)",
                  "HostDrawWidePolyline(2, [10 -10], [0 0], [10 10], [2 2], [0 0], [0 0], 0)",
                  "HostDrawWidePolyline(2, [10 0], [0 10], [2.9289322 2.9289322], [1 1], [0 0], [0 0], 0)",
              }));
}

TEST(CUtilDrawing, IntersectionPassesTheHostsAnswerThrough) {
    using testing::SetArgReferee;
    testing::StrictMock<MockHostEngine> host;
    ScopedHostEngine scope(&host);
    EXPECT_CALL(host, HostIntersectSegments(0.f, 0.f, 10.f, 0.f, 5.f, -5.f, 5.f, 5.f, 0.01f, _, _, _, _))
        .WillOnce(
            testing::DoAll(SetArgReferee<9>(5.0f), SetArgReferee<10>(0.0f), SetArgReferee<11>(1), SetArgReferee<12>(0)))
        .WillOnce(testing::DoAll(SetArgReferee<11>(-1), SetArgReferee<12>(-1)));  // parallel
    CUtil u;
    KeloPoint2d out(0.1, 0.2);
    int onA = 9, onB = 9;
    u.kw_Inters({0.0, 0.0}, {10.0, 0.0}, {5.0, -5.0}, {5.0, 5.0}, 0.01f, out, onA, onB);
    EXPECT_EQ(out.x, 5.0);
    EXPECT_EQ(onA + 10 * onB, 1);
    // The host leaves its point alone for parallel lines, and so out keeps its value exactly.
    out.set(0.1, 0.2);
    u.kw_Inters({0.0, 0.0}, {10.0, 0.0}, {5.0, -5.0}, {5.0, 5.0}, 0.01f, out, onA, onB);
    EXPECT_EQ(out.x, 0.1);
    EXPECT_EQ(onA, -1);
}

TEST(CUtilDrawing, WithoutAnEngineNothingHappens) {
    ScopedHostEngine scope(nullptr);
    CUtil u;
    auto points = Array({{0, 0}, {1, 1}});
    KeloPoint2d out(3.0, 4.0);
    int a = 7, b = 8;
    u.kw_BreakLine(out, KeloPoint2d(1.0, 0.0), 0.0f);
    u.kw_Inters(out, out, out, out, 0.1f, out, a, b);
    u.MakePolyFh(points, 1);
    u.MakePline(points, 1.0f, 0);
    EXPECT_EQ(out.x, 3.0);
    EXPECT_EQ(a, 7);
}

}  // namespace
