#include <gtest/gtest.h>

#include <cmath>

#include <ckw/Util.h>
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
    // cos 0.5 = 0.8775825618903728, sin 0.5 = 0.4794255386042030: one rounding, at the end.
    u.DIST(1.0f, 2.0f, 0.5f, 10.0f, x, y);
    EXPECT_EQ(x, 9.775825618903728f);
    EXPECT_EQ(y, 6.794255386042030f);
    // The single-precision quarter turn lies 4.371139e-8 past pi/2, so its cosine is -4.371139e-8
    // and leaves a trace of x, as the suite's outlines always had.
    u.DIST(0.0f, 0.0f, 1.5707963705062866f, 1e9f, x, y);
    EXPECT_EQ(x, -43.71139f);
}

TEST(CUtilGeometry, PolarKeepsDoublePointsAndZ) {
    CUtil u;
    KeloPoint3d out;
    u.kw_polar(KeloPoint3d(0.1, 0.0, 5.0), static_cast<float>(kPi / 2), 2.0f, out);
    EXPECT_DOUBLE_EQ(out.x, 0.1 - 2 * 4.371139000186241e-8);  // kept in double: the trace stays
    EXPECT_EQ(out.z, 5.0);
}

}  // namespace
