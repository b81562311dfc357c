#include <gtest/gtest.h>

#include <cmath>

#include <ckw/KeloArc2d.h>
#include <ckw/KeloPoint2d.h>
#include <ckw/KeloPoint3d.h>
#include "support/TestEnv.h"

namespace {

constexpr double kTurn = 6.2831854820251465;
const double kPi = std::acos(-1.0);

TEST(KeloPoint, ArithmeticConversionsAndAngles) {
    KeloPoint2d p(3.0, 4.0);
    EXPECT_DOUBLE_EQ((p *= 2.0)[1], 8.0);  // in place, returns the point
    EXPECT_DOUBLE_EQ((2.0 * p / 4.0).x, 3.0);
    KeloPoint3d q(KeloPoint2d(1.0, 2.0));
    EXPECT_EQ(q.z, 0.0);
    EXPECT_DOUBLE_EQ(KeloPoint2d(q.set(1.0, 2.0, 9.0)).y, 2.0);  // drops z
    EXPECT_DOUBLE_EQ((3.0 * q)[2], 27.0);
    EXPECT_DOUBLE_EQ(KeloPoint3d(0, 0, 0).distanceTo(KeloPoint3d(2, 3, 6)), 7.0);
    EXPECT_DOUBLE_EQ(KeloPoint2d(1.0, 0.0).angleTo(KeloPoint2d(0.0, 1.0)), 3 * kPi / 4);
    EXPECT_EQ(KeloPoint2d(2.0, 2.0).angleTo(KeloPoint2d(2.0, 2.0)), 0.0);
    EXPECT_DOUBLE_EQ(KeloPoint2d(0.0, 0.0).angleTo(KeloPoint2d(-1.0, 0.0)), kPi);  // (-pi, pi]
}

TEST(KeloArc, FromAnglesUsesTheSinglePrecisionFullTurn) {
    KeloArc2d circle(KeloPoint2d(0.0, 0.0), 10.0, 0.0, 0.0);
    EXPECT_EQ(circle.endAngle, kTurn);
    EXPECT_NEAR(circle.endPoint.x, 10.0, 1e-5);
    EXPECT_NEAR(circle.endPoint.y, 0.0, 1e-5);

    KeloArc2d threeQuarters(KeloPoint2d(1.0, 1.0), 2.0, kPi / 2, 0.0);
    EXPECT_EQ(threeQuarters.endAngle, kTurn);
    EXPECT_NEAR(threeQuarters.startPoint.x, 1.0, 1e-12);
    EXPECT_NEAR(threeQuarters.startPoint.y, 3.0, 1e-12);

    // Added once only: an end more than a turn below the start stays below.
    KeloArc2d farBelow(KeloPoint2d(0.0, 0.0), 1.0, 1.0, -7.0);
    EXPECT_EQ(farBelow.endAngle, -7.0 + kTurn);
}

TEST(KeloArc, FromEndPointsKeepsEqualAnglesAsNoSweep) {
    KeloPoint2d c(0.0, 0.0), a(10.0, 0.0), b(0.0, -10.0);
    KeloArc2d arc(c, 10.0, a, b);
    EXPECT_DOUBLE_EQ(arc.startAngle, 0.0);
    EXPECT_DOUBLE_EQ(arc.endAngle, -kPi / 2 + kTurn);
    KeloArc2d none(c, 10.0, a, a);
    EXPECT_EQ(none.endAngle, none.startAngle);
    EXPECT_DOUBLE_EQ(KeloArc2d(c, 99.0, a, b).radius, 99.0);  // not checked against the points
}

TEST(KeloArc, FromChordAndAngles) {
    KeloArc2d half(KeloPoint2d(10.0, 0.0), KeloPoint2d(-10.0, 0.0), 0.0, kPi);
    EXPECT_NEAR(half.radius, 10.0, 1e-9);
    EXPECT_NEAR(half.center.x, 0.0, 1e-9);
    EXPECT_EQ(half.endPoint.x, -10.0);  // stored as given

    // Equal angles mean a full turn, whose half-sweep sine is nearly zero: unguarded, huge radius.
    KeloArc2d fullTurn(KeloPoint2d(10.0, 0.0), KeloPoint2d(0.0, 10.0), 1.0, 1.0);
    EXPECT_EQ(fullTurn.endAngle, 1.0 + kTurn);
    EXPECT_GT(std::fabs(fullTurn.radius), 1e7);
}

TEST(KeloArc, CopyNormalisesButAssignmentDoesNot) {
    KeloArc2d raw;
    raw.startAngle = 2.0;
    raw.endAngle = 1.0;
    KeloArc2d assigned;
    assigned = raw;
    EXPECT_EQ(assigned.endAngle, 1.0);
    KeloArc2d copied(raw);
    EXPECT_EQ(copied.endAngle, 1.0 + kTurn);
    EXPECT_EQ(raw.endAngle, 1.0);  // the source stays
}

}  // namespace
