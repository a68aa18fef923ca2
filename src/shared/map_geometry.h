#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

// Arithmetic of placing on the map: snapping to a grid and turning. Both the
// map widget (while the user drags) and the editor (writing the result) use
// it, so it is spelled once, here, free of any toolkit.
// Angles are degrees, 0 along +X, counter-clockwise (world Y grows upwards).

namespace map_geometry_detail {

// Beyond this many steps from zero the multiples are no longer exact doubles.
inline constexpr double kMaxSteps = 1e15;

inline bool Usable(double value, double step) {
  return std::isfinite(value) && std::isfinite(step) && step > 0.0 &&
         std::abs(value / step) < kMaxSteps;
}

inline double NoNegativeZero(double value) { return value == 0.0 ? 0.0 : value; }

inline double TwoDecimals(double value) { return std::round(value * 100.0) / 100.0; }

}  // namespace map_geometry_detail

// Shift held while turning snaps to multiples of this.
inline constexpr double kTurnSnapDegrees = 15.0;

// `value` on the nearest multiple of `step`. A step of 0 (no grid), a
// non-finite value or step, and a value too large for its multiples to be
// told apart give `value` unchanged. Never gives -0.
inline double SnapToGrid(double value, double step) {
  using namespace map_geometry_detail;
  if (!Usable(value, step)) return value;
  return NoNegativeZero(std::round(value / step) * step);
}

// Where `steps` arrow presses take `value` on a grid of `step`: a value off
// the grid first lands on the next multiple in that direction, one on it
// moves a whole step; e.g. 3.2 with step 5 goes to 5 (right) or 0 (left).
// Without a usable step (as SnapToGrid) it moves by `steps` units.
inline double StepOnGrid(double value, double step, int steps) {
  using namespace map_geometry_detail;
  if (!Usable(value, step)) return value + steps;
  if (steps == 0) return value;
  // Values come from single floats: one a hair off a multiple counts as on it.
  const double at = value / step;
  const double slack = 1e-6 + std::abs(at) * 1e-7;
  const double from = steps > 0 ? std::floor(at + slack) : std::ceil(at - slack);
  return NoNegativeZero((from + steps) * step);
}

// `degrees` in [0, 360), rounded to two decimals (359.999 gives 0); NaN for
// a non-finite angle.
inline double NormaliseAngle(double degrees) {
  using namespace map_geometry_detail;
  if (!std::isfinite(degrees)) return std::numeric_limits<double>::quiet_NaN();
  double angle = TwoDecimals(std::fmod(degrees, 360.0));
  if (angle < 0.0) angle = TwoDecimals(angle + 360.0);
  if (angle >= 360.0) angle -= 360.0;
  return NoNegativeZero(angle);
}

// `degrees` as a turn in (-180, 180], two decimals.
inline double SignedTurn(double degrees) {
  const double angle = NormaliseAngle(degrees);
  return std::isfinite(angle) && angle > 180.0 ? map_geometry_detail::TwoDecimals(angle - 360.0)
                                               : angle;
}

// The direction from (0, 0) to (dx, dy), normalised; with `snap`, to the
// nearest multiple of kTurnSnapDegrees. Nothing when the points coincide.
inline std::optional<double> AngleTowards(double dx, double dy, bool snap) {
  if (!std::isfinite(dx) || !std::isfinite(dy) || (dx == 0.0 && dy == 0.0)) return std::nullopt;
  double degrees = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
  if (snap) degrees = std::round(degrees / kTurnSnapDegrees) * kTurnSnapDegrees;
  return NormaliseAngle(degrees);
}

struct TTurnPoint {
  double x = 0.0;
  double y = 0.0;
  double r = 0.0;
};

// The middle of the points' extent (points with a non-finite X or Y left
// out); (0, 0) when none is left.
inline TTurnPoint TurnCentre(const std::vector<TTurnPoint>& points) {
  double left = std::numeric_limits<double>::infinity();
  double right = -left;
  double bottom = left;
  double top = -left;
  for (const TTurnPoint& point : points) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) continue;
    left = std::min(left, point.x);
    right = std::max(right, point.x);
    bottom = std::min(bottom, point.y);
    top = std::max(top, point.y);
  }
  if (left > right) return {};
  // Halves first: the sum of two large values may overflow.
  return {left / 2.0 + right / 2.0, bottom / 2.0 + top / 2.0, 0.0};
}

// Every point turned by `degrees` about `centre`: X and Y rotated, R grown by
// the same angle and normalised. A point with a non-finite X or Y keeps its
// position; a non-finite R stays as it is.
inline std::vector<TTurnPoint> TurnAbout(std::vector<TTurnPoint> points, TTurnPoint centre,
                                         double degrees) {
  using namespace map_geometry_detail;
  if (!std::isfinite(degrees)) return points;
  const double turn = NormaliseAngle(degrees);
  double cosine = std::cos(turn * std::numbers::pi / 180.0);
  double sine = std::sin(turn * std::numbers::pi / 180.0);
  // Quarter turns exactly, so that four of them give the points back.
  if (std::fmod(turn, 90.0) == 0.0) {
    cosine = std::round(cosine);
    sine = std::round(sine);
  }
  for (TTurnPoint& point : points) {
    if (std::isfinite(point.x) && std::isfinite(point.y)) {
      const double dx = point.x - centre.x;
      const double dy = point.y - centre.y;
      point.x = NoNegativeZero(centre.x + dx * cosine - dy * sine);
      point.y = NoNegativeZero(centre.y + dx * sine + dy * cosine);
    }
    if (std::isfinite(point.r)) point.r = NormaliseAngle(point.r + degrees);
  }
  return points;
}
