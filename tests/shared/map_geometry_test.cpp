#include "map_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(MapGeometry, SnapsToTheNearestMultipleAndLeavesWhatCannotSnap) {
  struct Case {
    double value, step, snapped;
  } cases[] = {
      {3.2, 5, 5},      {2.4, 5, 0},      {-2.6, 5, -5},  {-0.2, 5, 0},     {12.74, 0.5, 12.5},
      {12.76, 0.5, 13}, {37, 25, 25},     {38, 25, 50},   {7.3, 0, 7.3},    {1e300, 0.5, 1e300},
      {kInf, 1, kInf},  {4.4, kNaN, 4.4}, {4.4, -1, 4.4}, {-49.9, 50, -50},
  };
  for (const Case& c : cases) {
    const double snapped = SnapToGrid(c.value, c.step);
    EXPECT_EQ(snapped, c.snapped) << c.value << " on " << c.step;
    EXPECT_FALSE(std::signbit(snapped) && snapped == 0.0) << "no -0 from " << c.value;
  }
  EXPECT_TRUE(std::isnan(SnapToGrid(kNaN, 1)));
}

TEST(MapGeometry, ArrowStepsLandOnTheGridThenMoveByWholeSteps) {
  struct Case {
    double value, step;
    int steps;
    double to;
  } cases[] = {
      {3.2, 5, 1, 5},
      {3.2, 5, -1, 0},
      {5, 5, 1, 10},
      {5, 5, -1, 0},
      {-3.2, 5, 1, 0},
      {-3.2, 5, -1, -5},
      {3.2, 5, 10, 50},
      {2.5f, 0.5, 1, 3},
      {12.3f, 0.1f, 0, 12.3f},
      {7.25, 0, 1, 8.25},
      {7.25, 0, -10, -2.75},
      // A single float a hair below a multiple counts as on it.
      {static_cast<float>(1000.1), 0.5, 1, 1000.5},
      {1000.4999f, 0.5, -1, 1000},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(StepOnGrid(c.value, c.step, c.steps), c.to)
        << c.value << " by " << c.steps << " on " << c.step;
  }
}

TEST(MapGeometry, AnglesAreCounterClockwiseFromXInTwoDecimalsBelow360) {
  struct Case {
    double dx, dy;
    bool snap;
    double degrees;
  } cases[] = {
      {1, 0, false, 0},         {0, 1, false, 90},      {-1, 0, false, 180},
      {0, -1, false, 270},      {1, 1, false, 45},      {1, -1, false, 315},
      {3, 1, false, 18.43},     {1, -1e-9, false, 0},   {1, 0.2, true, 15},
      {1, 0.13, true, 0},       {-1, -0.01, true, 180}, {1, -0.13, true, 0},
      {0.5, -0.866, true, 300}, {-3, 1, false, 161.57},
  };
  for (const Case& c : cases) {
    const auto angle = AngleTowards(c.dx, c.dy, c.snap);
    ASSERT_TRUE(angle) << c.dx << "," << c.dy;
    EXPECT_DOUBLE_EQ(*angle, c.degrees) << c.dx << "," << c.dy << (c.snap ? " snapped" : "");
    EXPECT_GE(*angle, 0.0);
    EXPECT_LT(*angle, 360.0);
  }
  EXPECT_FALSE(AngleTowards(0, 0, false));
  EXPECT_FALSE(AngleTowards(kNaN, 1, false));

  const std::pair<double, double> normalised[] = {{360, 0},     {-90, 270},     {725.5, 5.5},
                                                  {359.999, 0}, {-0.001, 0},    {-360, 0},
                                                  {1e6, 280},   {12.346, 12.35}};
  for (auto [in, out] : normalised) EXPECT_DOUBLE_EQ(NormaliseAngle(in), out) << in;
  EXPECT_TRUE(std::isnan(NormaliseAngle(kInf)));
  EXPECT_DOUBLE_EQ(SignedTurn(270), -90);
  EXPECT_DOUBLE_EQ(SignedTurn(180), 180);
  EXPECT_DOUBLE_EQ(SignedTurn(-540), 180);
}

TEST(MapGeometry, AGroupTurnsAboutTheMiddleOfItsExtent) {
  const std::vector<TTurnPoint> group = {{0, 0, 0}, {10, 0, 350}, {10, 4, kNaN}, {kNaN, 3, 20}};
  const TTurnPoint centre = TurnCentre(group);
  EXPECT_EQ(centre.x, 5);
  EXPECT_EQ(centre.y, 2);

  const std::vector<TTurnPoint> quarter = TurnAbout(group, centre, 90);
  const TTurnPoint expected[] = {{7, -3, 90}, {7, 7, 80}, {3, 7, kNaN}, {kNaN, 3, 110}};
  for (std::size_t i = 0; i < quarter.size(); ++i) {
    if (std::isnan(expected[i].x)) {
      EXPECT_TRUE(std::isnan(quarter[i].x)) << "an undrawable member stays where it is";
    } else {
      EXPECT_EQ(quarter[i].x, expected[i].x) << i;
    }
    EXPECT_EQ(quarter[i].y, expected[i].y) << i;
    if (std::isnan(expected[i].r)) {
      EXPECT_TRUE(std::isnan(quarter[i].r));
    } else {
      EXPECT_EQ(quarter[i].r, expected[i].r) << i;
    }
  }

  // Four quarter turns and a turn back give the points back exactly.
  std::vector<TTurnPoint> turned = group;
  for (int i = 0; i < 4; ++i) turned = TurnAbout(turned, centre, -90);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(turned[i].x, group[i].x);
    EXPECT_EQ(turned[i].y, group[i].y);
  }
  EXPECT_EQ(turned[1].r, 350);

  const std::vector<TTurnPoint> slanted = TurnAbout({{1, 0, 0}}, {0, 0, 0}, 30);
  EXPECT_NEAR(slanted[0].x, std::sqrt(3.0) / 2, 1e-12);
  EXPECT_NEAR(slanted[0].y, 0.5, 1e-12);
  EXPECT_EQ(TurnCentre({{kNaN, 0, 0}}).x, 0);
  EXPECT_DOUBLE_EQ(TurnCentre({{1e308, 0, 0}, {1.7e308, 0, 0}}).x, 1.35e308) << "no overflow";
}

}  // namespace
