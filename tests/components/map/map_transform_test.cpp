#include "map/map_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kFloatMax = std::numeric_limits<float>::max();
constexpr double kWidth = 465.0;
constexpr double kHeight = 353.0;
constexpr double kMargin = 24.0;

// Every finite point lies inside the viewport less the margin (with a
// hair of rounding), and at least one side is used to the full.
void ExpectFitted(const MapTransform& t, const std::vector<WorldPoint>& points) {
  double min_x = kInf, max_x = -kInf, min_y = kInf, max_y = -kInf;
  for (const WorldPoint& p : points) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    const ScreenPoint s = t.ToScreen(p);
    min_x = std::min(min_x, s.x);
    max_x = std::max(max_x, s.x);
    min_y = std::min(min_y, s.y);
    max_y = std::max(max_y, s.y);
  }
  EXPECT_GE(min_x, kMargin - 1e-6);
  EXPECT_LE(max_x, kWidth - kMargin + 1e-6);
  EXPECT_GE(min_y, kMargin - 1e-6);
  EXPECT_LE(max_y, kHeight - kMargin + 1e-6);
  // Centred both ways.
  EXPECT_NEAR(min_x + max_x, kWidth, 1e-6);
  EXPECT_NEAR(min_y + max_y, kHeight, 1e-6);
}

TEST(MapTransform, FitsOneTwoAndManyPoints) {
  MapTransform t(kWidth, kHeight);
  t.Fit(std::vector<WorldPoint>{{5.0, -7.0}}, kMargin);
  EXPECT_NEAR(t.ToScreen({5.0, -7.0}).x, kWidth / 2, 1e-9);
  EXPECT_NEAR(t.ToScreen({5.0, -7.0}).y, kHeight / 2, 1e-9);
  // A lone point still shows some world around it.
  EXPECT_NEAR(t.Scale(), (kHeight - 2 * kMargin) / MapTransform::kMinFitSpan, 1e-9);

  const std::vector<WorldPoint> two = {{-100.0, 0.0}, {300.0, 50.0}};
  t.Fit(two, kMargin);
  ExpectFitted(t, two);
  EXPECT_NEAR(t.ToScreen({-100.0, 0.0}).x, kMargin, 1e-9);  // width is the tight side
  EXPECT_LT(t.ToScreen({300.0, 50.0}).y, t.ToScreen({-100.0, 0.0}).y) << "Y grows upwards";

  std::vector<WorldPoint> many;
  for (int i = 0; i < 256; ++i) many.push_back({i * 12.5 - 1000.0, std::sin(i) * 4000.0});
  many[10] = {kNaN, 3.0};
  many[20] = {kInf, -kInf};
  t.Fit(many, kMargin);
  ExpectFitted(t, many);
}

TEST(MapTransform, FitsEqualCoordinatesAndHugeRanges) {
  MapTransform t(kWidth, kHeight);
  const std::vector<std::vector<WorldPoint>> cases = {
      std::vector<WorldPoint>(256, {42.0, 42.0}),
      {{0.0, -5.0}, {0.0, 5.0}},  // equal X only
      {{-kFloatMax, -kFloatMax}, {kFloatMax, kFloatMax}},
      {{-kFloatMax, 0.0}, {kFloatMax, 1.0}, {0.0, 0.5}},
      std::vector<WorldPoint>(3, {kFloatMax, -kFloatMax}),
      {{1e-30, 1e-30}, {2e-30, 2e-30}},
  };
  for (const auto& points : cases) {
    t.Fit(points, kMargin);
    ASSERT_TRUE(std::isfinite(t.Scale()) && t.Scale() > 0);
    ASSERT_TRUE(std::isfinite(t.Centre().x) && std::isfinite(t.Centre().y));
    ExpectFitted(t, points);
  }

  // Nothing drawable: the origin, at a finite scale.
  t.Fit(std::vector<WorldPoint>{{kNaN, kNaN}, {kInf, 1.0}}, kMargin);
  EXPECT_NEAR(t.ToScreen({0.0, 0.0}).x, kWidth / 2, 1e-9);
  EXPECT_TRUE(std::isfinite(t.Scale()));
  // Doubles beyond any float are held at the world limit, not lost.
  t.Fit(std::vector<WorldPoint>{{-1e300, 0.0}, {1e300, 0.0}}, kMargin);
  EXPECT_TRUE(std::isfinite(t.Scale()) && t.Scale() >= MapTransform::kMinScale);
}

TEST(MapTransform, ZoomKeepsThePointUnderThePointerFixed) {
  MapTransform t(kWidth, kHeight);
  t.Fit(std::vector<WorldPoint>{{-50.0, -20.0}, {80.0, 90.0}}, kMargin);
  const ScreenPoint anchors[] = {{0, 0}, {100.5, 37.25}, {464, 352}, {kWidth / 2, kHeight / 2}};
  for (const ScreenPoint anchor : anchors) {
    for (double factor : {1.25, 0.8, 3.0, 0.01}) {
      const WorldPoint under = t.ToWorld(anchor);
      const double before = t.Scale();
      t.ZoomAbout(anchor, factor);
      EXPECT_NEAR(t.Scale(), before * factor, before * factor * 1e-12);
      const ScreenPoint after = t.ToScreen(under);
      EXPECT_NEAR(after.x, anchor.x, 1e-6);
      EXPECT_NEAR(after.y, anchor.y, 1e-6);
    }
  }
  // Bad factors and anchors change nothing; the limits hold either way.
  const double scale = t.Scale();
  for (double factor : {0.0, -2.0, kNaN, kInf}) t.ZoomAbout({10, 10}, factor);
  t.ZoomAbout({kNaN, 3}, 2.0);
  EXPECT_EQ(t.Scale(), scale);
  for (int i = 0; i < 2000; ++i) t.ZoomAbout({1, 1}, 10.0);
  EXPECT_EQ(t.Scale(), MapTransform::kMaxScale);
  for (int i = 0; i < 2000; ++i) t.ZoomAbout({400, 300}, 0.1);
  EXPECT_EQ(t.Scale(), MapTransform::kMinScale);
  EXPECT_TRUE(std::isfinite(t.Centre().x) && std::isfinite(t.Centre().y));
}

TEST(MapTransform, PanMovesThePictureWithThePointer) {
  MapTransform t(kWidth, kHeight);
  t.SetView({10.0, 20.0}, 2.0);
  const ScreenPoint before = t.ToScreen({15.0, 25.0});
  t.Pan(30.0, -12.0);
  const ScreenPoint after = t.ToScreen({15.0, 25.0});
  EXPECT_NEAR(after.x - before.x, 30.0, 1e-9);
  EXPECT_NEAR(after.y - before.y, -12.0, 1e-9);
  t.Pan(kNaN, 1.0);
  t.Pan(kInf, kInf);
  EXPECT_NEAR(t.ToScreen({15.0, 25.0}).x, after.x, 1e-9);
  // Panning at the smallest scale cannot push the centre out of the world.
  t.SetView({0, 0}, MapTransform::kMinScale);
  for (int i = 0; i < 100; ++i) t.Pan(1e6, -1e6);
  EXPECT_LE(std::abs(t.Centre().x), MapTransform::kWorldLimit);
  EXPECT_LE(std::abs(t.Centre().y), MapTransform::kWorldLimit);
}

TEST(MapTransform, GridStepsAreRoundAndFarEnoughApart) {
  for (double scale = 1e-38; scale < 1e5; scale *= 1.37) {
    const double step = GridStep(scale, 60.0);
    ASSERT_GT(step, 0.0) << scale;
    EXPECT_GE(step * scale, 60.0 * (1 - 1e-9)) << scale;
    EXPECT_LT(step * scale, 60.0 * 5.0) << scale;
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const bool round = std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                       std::abs(mantissa - 5) < 1e-9;
    EXPECT_TRUE(round) << step;
  }
  EXPECT_DOUBLE_EQ(GridStep(1.0, 60.0), 100.0);
  EXPECT_DOUBLE_EQ(GridStep(2.0, 60.0), 50.0);
  EXPECT_DOUBLE_EQ(GridStep(4.0, 60.0), 20.0);
  EXPECT_EQ(GridStep(0.0, 60.0), 0.0);
  EXPECT_EQ(GridStep(kNaN, 60.0), 0.0);
}

TEST(MapTransform, GridLinesAreMultiplesOfTheStepWithinBounds) {
  EXPECT_EQ(GridLines(-25.0, 130.0, 50.0, 100), (std::vector<double>{0.0, 50.0, 100.0}));
  EXPECT_EQ(GridLines(0.05, 0.35, 0.1, 100).size(), 3u);
  EXPECT_TRUE(GridLines(0.0, 1e6, 1.0, 100).empty()) << "too many lines";
  // At 1e30 a step of 1 is below a double's precision: no lines at all,
  // rather than thousands on one spot or a loop that never ends.
  EXPECT_TRUE(GridLines(1e30, 1e30 + 1e16, 1.0, 1000).empty());
  EXPECT_TRUE(GridLines(kNaN, 1.0, 1.0, 100).empty());
  EXPECT_TRUE(GridLines(0.0, kInf, 1.0, 100).empty());
  EXPECT_TRUE(GridLines(0.0, 10.0, 0.0, 100).empty());
  EXPECT_TRUE(GridLines(10.0, 0.0, 1.0, 100).empty());
}

TEST(MapTransform, GridLabelsShowWhatTheStepNeeds) {
  EXPECT_EQ(GridLabel(0.5, 0.5), "0.5");
  EXPECT_EQ(GridLabel(-20.0, 10.0), "-20");
  EXPECT_EQ(GridLabel(1500.0, 500.0), "1500");
  EXPECT_EQ(GridLabel(0.3000000000000001, 0.1), "0.3");
  EXPECT_EQ(GridLabel(-0.04, 0.2), "0");
  EXPECT_EQ(GridLabel(-1e-17, 0.05), "0");
  EXPECT_EQ(GridLabel(0.25, 0.05, ','), "0,25");
  EXPECT_EQ(GridLabel(2e30, 1e30), "2e+30");
  EXPECT_EQ(GridLabel(kNaN, 1.0), "");
}

// Random views and points never leave the transform in a non-finite state.
TEST(MapTransform, RandomInputsKeepTheViewFinite) {
  std::mt19937 random(15);
  const double specials[] = {kNaN, kInf, -kInf, kFloatMax, -kFloatMax, 0.0, 1e-45, 1e300};
  auto value = [&] {
    if (random() % 4 == 0) return specials[random() % std::size(specials)];
    return std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random),
                      static_cast<int>(random() % 260) - 130);
  };
  MapTransform t(kWidth, kHeight);
  for (int round = 0; round < 2000; ++round) {
    switch (random() % 4) {
      case 0: {
        std::vector<WorldPoint> points(random() % 8);
        for (auto& p : points) p = {value(), value()};
        t.Fit(points, value());
        break;
      }
      case 1:
        t.ZoomAbout({value(), value()}, value());
        break;
      case 2:
        t.Pan(value(), value());
        break;
      default:
        t.SetViewport(value(), value());
        break;
    }
    ASSERT_TRUE(std::isfinite(t.Scale()) && t.Scale() > 0) << round;
    ASSERT_TRUE(std::isfinite(t.Centre().x) && std::isfinite(t.Centre().y)) << round;
    const WorldPoint corner = t.ToWorld({t.Width(), t.Height()});
    GridLines(t.Centre().x, corner.x, GridStep(t.Scale(), 60.0), 256);
  }
}

}  // namespace
