#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include <ckw/Util.h>
#include "support/TestEnv.h"

namespace {

using Outline = std::vector<std::pair<double, double>>;

void ExpectOutline(const float* xs, const float* ys, const Outline& expected, double tol = 1e-3) {
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(xs[i], expected[i].first, tol) << "point " << i;
        EXPECT_NEAR(ys[i], expected[i].second, tol) << "point " << i;
    }
}

using Shape = void (CUtil::*)(float, float, float, float*, float*, float*);

TEST(CUtilSections, HShapeRunsDownTheLeftAndUpTheRight) {
    CUtil u;
    float d[] = {200, 8, 200, 12, 300, 12}, xs[12], ys[12];
    u.HSHAPE(0, 0, 0, d, xs, ys);
    ExpectOutline(xs, ys,
                  {{-100, 150}, {-100, 138}, {-4, 138}, {-4, -138}, {-100, -138}, {-100, -150},
                   {100, -150}, {100, -138}, {4, -138}, {4, 138}, {100, 138}, {100, 150}},
                  2e-5);  // the float quarter and half turns leave traces of a few float steps
}

TEST(CUtilSections, PointsAreChainsOfFloatPolarSteps) {
    // Point 5 of the H is reached from the centre by float steps: 4 at pi, 138 down, 96 at pi, 12
    // down, where "down" turns to -pi/2 rather than negating the distance. The single-precision
    // quarter turn has a cosine of -4.37e-8, so the downward steps (150 in all) move x by -6.6e-6:
    // one float step past -100 (they are 7.6e-6 apart there). The half turn has a sine of
    // -8.74e-8: 96 along it move y by -8.4e-6 at -138, past half a float step (1.5e-5 there), so y
    // ends one float step past -150 too.
    CUtil u;
    float d[] = {200, 8, 200, 12, 300, 12}, xs[12], ys[12];
    u.HSHAPE(0, 0, 0, d, xs, ys);
    EXPECT_EQ(xs[5], std::nextafter(-100.0f, -200.0f));
    EXPECT_EQ(ys[5], std::nextafter(-150.0f, -200.0f));
}

TEST(CUtilSections, ChannelOpensAgainstTheSignOfItsFlanges) {
    CUtil u;
    float xs[8], ys[8];
    float left[] = {50, 6, 40, 8, 200, 10};
    u.CSHAPE(0, 0, 0, left, xs, ys);
    ExpectOutline(xs, ys, {{-53, 100}, {3, 100}, {3, -100}, {-43, -100}, {-43, -90}, {-3, -90}, {-3, 92}, {-53, 92}});
    float right[] = {-50, 6, -40, 8, 200, 10};
    u.CSHAPE(0, 0, 0, right, xs, ys);
    ExpectOutline(xs, ys, {{-3, 100}, {53, 100}, {53, 92}, {3, 92}, {3, -90}, {43, -90}, {43, -100}, {-3, -100}});
    float zed[] = {50, 6, -50, 8, 200, 10};
    u.CSHAPE(0, 0, 0, zed, xs, ys);
    ExpectOutline(xs, ys, {{-53, 100}, {3, 100}, {3, -90}, {53, -90}, {53, -100}, {-3, -100}, {-3, 92}, {-53, 92}});
    float zed2[] = {-50, 6, 50, 8, 200, 10};
    u.CSHAPE(0, 0, 0, zed2, xs, ys);
    ExpectOutline(xs, ys, {{-3, 100}, {53, 100}, {53, 92}, {3, 92}, {3, -100}, {-53, -100}, {-53, -90}, {-3, -90}});
}

TEST(CUtilSections, CrossBoxAndTrapezoid) {
    CUtil u;
    float xs[12], ys[12];
    float cross[] = {100, 20, 80, 50, 30, 300};
    u.XSHAPE(0, 0, 0, cross, xs, ys);
    ExpectOutline(xs, ys,
                  {{-10, 150}, {10, 150}, {10, 100}, {90, 100}, {90, 70}, {10, 70},
                   {10, -150}, {-10, -150}, {-10, 70}, {-110, 70}, {-110, 100}, {-10, 100}});
    float box[] = {10, 200, 20, 15, 300, 25};
    u.OSHAPE(0, 0, 0, box, xs, ys);
    ExpectOutline(xs, ys, {{-100, 150}, {100, 150}, {100, -150}, {-100, -150}, {-90, 135}, {80, 135}, {80, -125}, {-90, -125}});
    float trapezoid[] = {0, 100, 30, 0, 20, 60};
    u.ASHAPE(0, 0, 0, trapezoid, xs, ys);
    ExpectOutline(xs, ys, {{-70, 30}, {80, 30}, {50, -30}, {-50, -30}});
}

TEST(CUtilSections, TeeWebStopsAtTheCentralSquare) {
    CUtil u;
    float d[] = {0, 20, 100, 0, 10, 300};
    float x[8], y[8];
    u.TSHAPE(0, 0, 0, d, x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7], y[0], y[1], y[2], y[3], y[4], y[5], y[6],
             y[7]);
    ExpectOutline(x, y, {{-50, 150}, {50, 150}, {50, 140}, {10, 140}, {10, 10}, {-10, 10}, {-10, 140}, {-50, 140}});
}

TEST(CUtilSections, FourTeesJoinWithTheLaterCornerKept) {
    CUtil u;
    float d[] = {0, 20, 100, 0, 10, 300};
    const float angle = 0.3f;
    float xs[28], ys[28];
    u.T4SHAPE(5, 7, angle, d, xs, ys);
    const float angles[4] = {angle, angle - 1.5707963705062866f, angle + 3.1415927410125732f,
                             angle + 1.5707963705062866f};
    float tx[4][8], ty[4][8];
    for (int k = 0; k < 4; ++k) {
        float* x = tx[k];
        float* y = ty[k];
        u.TSHAPE(5, 7, angles[k], d, x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7], y[0], y[1], y[2], y[3], y[4],
                 y[5], y[6], y[7]);
    }
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < 5; ++i) {
            int at = 7 * k + i;
            if (at == 4 || at == 11 || at == 18) continue;  // overwritten by the next T
            EXPECT_EQ(xs[at], tx[k][i]) << at;
            EXPECT_EQ(ys[at], ty[k][i]) << at;
        }
        for (int i = 5; i < 8; ++i) {
            int at = (7 * k + i - 8 + 28) % 28;
            if (at == 25) continue;  // T 0's point, overwritten by T 3
            EXPECT_EQ(xs[at], tx[k][i]) << at;
            EXPECT_EQ(ys[at], ty[k][i]) << at;
        }
    }
    EXPECT_EQ(xs[4], tx[1][5]);
    EXPECT_EQ(xs[11], tx[2][5]);
    EXPECT_EQ(xs[18], tx[3][5]);
    EXPECT_EQ(ys[25], ty[3][4]);
    EXPECT_EQ(xs[25], tx[3][4]);
}

TEST(CUtilSections, QuarterTurnRotatesEveryPointAboutTheCentre) {
    CUtil u;
    struct Case {
        Shape shape;
        int points;
        std::vector<float> d;
    };
    const std::vector<Case> cases = {
        {&CUtil::HSHAPE, 12, {200, 8, 150, 12, 300, 14}}, {&CUtil::CSHAPE, 8, {50, 6, -40, 8, 200, 10}},
        {&CUtil::XSHAPE, 12, {100, 20, 80, 50, 30, 300}}, {&CUtil::OSHAPE, 8, {10, 200, 20, 15, 300, 25}},
        {&CUtil::T4SHAPE, 28, {0, 20, 100, 0, 10, 300}},  {&CUtil::ASHAPE, 4, {0, 100, 30, 0, 20, 60}}};
    for (const auto& c : cases) {
        std::vector<float> d = c.d;
        float x0[28], y0[28], x1[28], y1[28];
        (u.*c.shape)(0, 0, 0, d.data(), x0, y0);
        (u.*c.shape)(10, -20, 1.5707963705062866f, d.data(), x1, y1);
        for (int i = 0; i < c.points; ++i) {
            EXPECT_NEAR(x1[i], 10 - y0[i], 1e-3) << i;
            EXPECT_NEAR(y1[i], -20 + x0[i], 1e-3) << i;
        }
    }
}

}  // namespace
