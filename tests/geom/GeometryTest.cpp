#include <gtest/gtest.h>

#include <cmath>

#include "Util.h"
#include "support/TestEnv.h"

namespace {

const double kPi = std::acos(-1.0);

TEST(CUtilGeometry, ToleranceComparisonIsStrict) {
    CUtil u;
    EXPECT_TRUE(u.EQU_COMP(1.0, 1.00009, 0.0001));
    EXPECT_FALSE(u.EQU_COMP(0.0, 0.0001, 0.0001));  // equal to the tolerance is not within it
    EXPECT_FALSE(u.EQU_COMP(2.0, 1.9998, 0.0001));
    EXPECT_FALSE(u.EQU_COMP(0.0, 0.5, 0.5));
    EXPECT_TRUE(u.EQU_COMP(-3.0, -3.0, 1e-12));
}

TEST(CUtilGeometry, DistComputesInDoubleAndStoresFloat) {
    CUtil u;
    float x, y;
    u.DIST(1.0f, 2.0f, 0.5f, 10.0f, x, y);
    EXPECT_EQ(x, static_cast<float>(1.0 + 10.0 * std::cos(0.5)));
    EXPECT_EQ(y, static_cast<float>(2.0 + 10.0 * std::sin(0.5)));
    // The single-precision quarter turn leaves a trace of x, as the suite's outlines always had.
    u.DIST(0.0f, 0.0f, 1.5707963705062866f, 1e9f, x, y);
    EXPECT_EQ(x, static_cast<float>(1e9 * std::cos(1.5707963705062866)));
    EXPECT_NE(x, 0.0f);
}

TEST(CUtilGeometry, PolarKeepsDoublePointsAndZ) {
    CUtil u;
    KeloPoint3d out;
    u.kw_polar(KeloPoint3d(0.1, 0.0, 5.0), static_cast<float>(kPi / 2), 2.0f, out);
    EXPECT_EQ(out.x, 0.1 + 2.0 * std::cos(static_cast<double>(static_cast<float>(kPi / 2))));
    EXPECT_EQ(out.z, 5.0);
}

}  // namespace
