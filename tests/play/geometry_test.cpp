#include "play/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvid {
namespace {

TEST(NormaliseAngle, FoldsLikeTheGame) {
    EXPECT_FLOAT_EQ(NormaliseAngle(-30), 330);
    EXPECT_FLOAT_EQ(NormaliseAngle(725.5f), 5.5f);
    EXPECT_FLOAT_EQ(NormaliseAngle(-400), -40);  // below -360 stays negative
    EXPECT_FLOAT_EQ(NormaliseAngle(360), 0);
    EXPECT_FLOAT_EQ(NormaliseAngle(359.75f), 359.75f);
    EXPECT_FLOAT_EQ(NormaliseAngle(-0.5f), 359.5f);
    EXPECT_FLOAT_EQ(NormaliseAngle(1e30f), 0);  // broken values cannot overflow
}

TEST(DirectionTables, ExactValuesAndShape) {
    const DirectionTables& d = Directions();
    EXPECT_EQ(d.dirX[900], 1.0f);
    EXPECT_EQ(d.dirY[900], 0.0f);
    EXPECT_EQ(d.dirX[0], 0.0f);
    EXPECT_EQ(d.dirY[0], -1.0f);
    EXPECT_EQ(d.dirY[1800], 1.0f);
    EXPECT_EQ(d.dirX[2700], -1.0f);
    EXPECT_EQ(d.dirY[3600], -1.0f);
    EXPECT_NEAR(d.dirX[450], std::sqrt(0.5), 1e-3);
    EXPECT_NEAR(-d.dirY[450], std::sqrt(0.5), 1e-3);
    // Down-left quadrant: both components have the signs of the bearing.
    EXPECT_LT(d.dirX[2250], 0);
    EXPECT_GT(d.dirY[2250], 0);
    for (int i = 0; i <= 3600; ++i) {
        const double len = std::hypot(d.dirX[i], d.dirY[i]);
        ASSERT_NEAR(len, 1.0, 1e-5) << i;
    }
}

TEST(DirectionIndex, WrapsTurnedAnglesAndUsesSinglePrecision) {
    EXPECT_EQ(DirectionIndex(0.7f), 7);  // 0.7f * 10 in double would give 6
    EXPECT_EQ(DirectionIndex(90), 900);
    EXPECT_EQ(DirectionIndex(-90), 2700);
    EXPECT_EQ(DirectionIndex(-400), 3200);
    EXPECT_EQ(DirectionIndex(725.5f), 55);
    EXPECT_EQ(DirectionIndex(360), 0);
    EXPECT_EQ(DirectionIndex(NAN), 0);
    EXPECT_FLOAT_EQ(DirX(-270), 1.0f);
}

TEST(BearingTo, AxesAndIntegerPartTests) {
    EXPECT_DOUBLE_EQ(BearingTo(100, 100, 100, 200, 0), 180);
    EXPECT_DOUBLE_EQ(BearingTo(100, 100, 200, 100, 0), 90);
    EXPECT_DOUBLE_EQ(BearingTo(200, 100, 100, 100, 0), 270);
    EXPECT_DOUBLE_EQ(BearingTo(100, 200, 100, 100, 0), 0);
    EXPECT_DOUBLE_EQ(BearingTo(100.2, 100, 100.9, 50, 0), 0);  // same integer x
    EXPECT_DOUBLE_EQ(BearingTo(100.2, 100, 100.9, 150, 0), 180);
    EXPECT_DOUBLE_EQ(BearingTo(0, 100.1, 50, 100.9, 0), 90);   // same integer y
    EXPECT_NEAR(BearingTo(0, 0, 10, 10, 0), 135, 0.05);
    EXPECT_NEAR(BearingTo(0, 0, -10, -10, 5), 320, 0.05);      // offset added, not normalised
    EXPECT_NEAR(BearingTo(0, 0, 1000, -1, 0), 90 - 0.0573, 1e-3);  // near horizontal
    // Near vertical: 57.3 degrees per radian puts a right angle at 90.007, not 90.
    EXPECT_NEAR(BearingTo(0, 0, 1.5, -1000, 0), 0.0793, 1e-3);
}

}  // namespace
}  // namespace korvid
