#include <gtest/gtest.h>

#include <cmath>

#include <ckw/Util.h>
#include "support/TestEnv.h"

namespace {

const double kPi = std::acos(-1.0);
const float kHalfPiF = 1.5707963705062866f;

void ExpectMatrix(double m[3][3], std::initializer_list<double> expected, double tol = 1e-12) {
    int k = 0;
    for (double e : expected) {
        EXPECT_NEAR(m[k / 3][k % 3], e, tol) << "element " << k;
        ++k;
    }
}

TEST(CUtil3d, ExtendPointsMoveEachEndTowardsTheOther) {
    CUtil u;
    KeloPoint3d e1, e2;
    u.Get3dLineExtendPoint(KeloPoint3d(0, 0, 0), KeloPoint3d(0, 0, 10), 2.0f, e1, e2);
    EXPECT_DOUBLE_EQ(e1.z, 2.0);
    EXPECT_DOUBLE_EQ(e2.z, 8.0);
    u.Get3dLineExtendPoint(KeloPoint3d(0, 0, 0), KeloPoint3d(3, 4, 0), -5.0f, e1, e2);
    EXPECT_DOUBLE_EQ(e1.x, -3.0);
    EXPECT_DOUBLE_EQ(e2.y, 8.0);
    u.Get3dLineExtendPoint(KeloPoint3d(1, 1, 1), KeloPoint3d(1, 1, 1), 1.0f, e1, e2);
    EXPECT_FALSE(std::isfinite(e1.x));  // zero length is not guarded
}

TEST(CUtil3d, LineAngles) {
    CUtil u;
    float a[3];
    u.Get3dLineAngle(KeloPoint3d(1, 1, 0), KeloPoint3d(1, 1, 5), a);  // along z
    EXPECT_EQ(a[0], kHalfPiF);
    EXPECT_EQ(a[1], kHalfPiF);
    EXPECT_EQ(a[2], 0.0f);
    // Oriented so that x is positive: the same angles from either end.
    u.Get3dLineAngle(KeloPoint3d(0, 0, 0), KeloPoint3d(1, 1, 0), a);
    EXPECT_FLOAT_EQ(a[0], static_cast<float>(kPi / 4));
    EXPECT_FLOAT_EQ(a[1], static_cast<float>(kPi / 4));
    EXPECT_FLOAT_EQ(a[2], static_cast<float>(kPi / 2));
    // A line across x (dx = 0, dy != 0) gets its direction angles rather than non-finite values,
    // oriented so that y is positive.
    u.Get3dLineAngle(KeloPoint3d(0, 5, 0), KeloPoint3d(0, 0, 5), a);
    EXPECT_FLOAT_EQ(a[0], static_cast<float>(kPi / 2));
    EXPECT_FLOAT_EQ(a[1], static_cast<float>(kPi / 4));
    EXPECT_FLOAT_EQ(a[2], static_cast<float>(3 * kPi / 4));
    u.Get3dLineAngle(KeloPoint3d(0, 0, 5), KeloPoint3d(0, 5, 0), a);
    EXPECT_FLOAT_EQ(a[1], static_cast<float>(kPi / 4));
    EXPECT_FLOAT_EQ(a[2], static_cast<float>(3 * kPi / 4));
}

TEST(CUtil3d, PolylineVertexAngleIsFoldedIntoAQuarterTurn) {
    CUtil u;
    auto angle = [&](KeloPoint3d a, KeloPoint3d b, KeloPoint3d c) { return u.Get3pPolyLineAngle(a, b, c); };
    EXPECT_EQ(angle({0, 0, 0}, {0, 0, 5}, {0, 0, 9}), 0.0f);            // both vertical
    EXPECT_EQ(angle({0, 0, 0}, {0, 0, 5}, {4, 0, 5}), kHalfPiF);        // vertical then level
    EXPECT_EQ(angle({0, 0, 5}, {4, 0, 5}, {4, 0, 9}), kHalfPiF);        // level then vertical
    EXPECT_FLOAT_EQ(angle({0, 0, 0}, {0, 0, 5}, {5, 0, 10}), kPi / 4);  // vertical then sloped
    EXPECT_FLOAT_EQ(angle({0, 0, 0}, {1, 0, 0}, {2, 1, 0}), kPi / 4);
    EXPECT_FLOAT_EQ(angle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}), kPi / 4);  // folded from 3/4 turn
    // Straight on, where rounding puts the cosine a step above 1: 0, not NaN.
    EXPECT_EQ(angle({6, 9, 9}, {14, 18, 16}, {14 + 8.0 / 3, 21, 16 + 7.0 / 3}), 0.0f);
    // A sloped segment ending over the start of a vertical one is not a right angle.
    EXPECT_FLOAT_EQ(angle({0, 0, 0}, {5, 0, 5}, {5, 0, 0}), kPi / 4);
    // Lines in a plane of constant x have no slopes over x; their angle is still the angle.
    EXPECT_FLOAT_EQ(angle({0, 0, 0}, {0, 10, 0}, {0, 20, 10}), kPi / 4);
    EXPECT_FLOAT_EQ(angle({0, 0, 0}, {0, 10, 0}, {5, 10, 0}), kPi / 2);
}

TEST(CUtil3d, RotateMatrix) {
    CUtil u;
    double m[3][3];
    u.GetRotateMatrix(1, 2, 3, 1, 2, 3, 0.7, m, 0);
    ExpectMatrix(m, {1, 0, 0, 0, 1, 0, 0, 0, 1});
    u.GetRotateMatrix(KeloPoint3d(0, 0, 0), KeloPoint3d(0, 0, -4), 0.0, m, 0);
    ExpectMatrix(m, {1, 0, 0, 0, -1, 0, 0, 0, -1});
    u.GetRotateMatrix(0, 0, 0, 0, 0, 3, kPi / 2, m, 0);  // turned a quarter about +z
    ExpectMatrix(m, {0, 1, 0, -1, 0, 0, 0, 0, 1});
    // Along +x: u = Z x w = +y when rows are wanted, u = w x Z = -y for the transposed form.
    u.GetRotateMatrix(0, 0, 0, 2, 0, 0, 0.0, m, 0);
    ExpectMatrix(m, {0, 1, 0, 0, 0, 1, 1, 0, 0});
    u.GetRotateMatrix(0, 0, 0, 2, 0, 0, 0.0, m, 1);
    ExpectMatrix(m, {0, 0, 1, -1, 0, 0, 0, -1, 0});
}

TEST(CUtil3d, RotateMatrixIsOrthonormalWithTheLineAsThirdAxis) {
    CUtil u;
    double m[3][3];
    for (int transpose : {0, 1}) {
        u.GetRotateMatrix(KeloPoint3d(1, 2, 3), KeloPoint3d(4, -2, 15), 0.3, m, transpose);
        auto axis = [&](int a, int k) { return transpose ? m[k][a] : m[a][k]; };
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) {
                double dot = axis(a, 0) * axis(b, 0) + axis(a, 1) * axis(b, 1) + axis(a, 2) * axis(b, 2);
                EXPECT_NEAR(dot, a == b ? 1.0 : 0.0, 1e-12);
            }
        EXPECT_NEAR(axis(2, 0), 3.0 / 13.0, 1e-12);
        EXPECT_NEAR(axis(2, 2), 12.0 / 13.0, 1e-12);
    }
}

}  // namespace
