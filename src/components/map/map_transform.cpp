#include "map/map_transform.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

double ClampScale(double scale) {
  return std::clamp(scale, MapTransform::kMinScale, MapTransform::kMaxScale);
}

double ClampWorld(double value) {
  return std::clamp(value, -MapTransform::kWorldLimit, MapTransform::kWorldLimit);
}

}  // namespace

void MapTransform::SetViewport(double width, double height) {
  width_ = std::isfinite(width) && width >= 1.0 ? width : 1.0;
  height_ = std::isfinite(height) && height >= 1.0 ? height : 1.0;
}

void MapTransform::SetView(WorldPoint centre, double scale) {
  if (Finite(centre.x, centre.y)) centre_ = centre;
  if (std::isfinite(scale) && scale > 0.0) scale_ = ClampScale(scale);
  ClampCentre();
}

ScreenPoint MapTransform::ToScreen(WorldPoint world) const {
  return {(world.x - centre_.x) * scale_ + width_ / 2.0,
          height_ / 2.0 - (world.y - centre_.y) * scale_};
}

WorldPoint MapTransform::ToWorld(ScreenPoint screen) const {
  return {centre_.x + (screen.x - width_ / 2.0) / scale_,
          centre_.y - (screen.y - height_ / 2.0) / scale_};
}

void MapTransform::Fit(std::span<const WorldPoint> points, double margin) {
  bool any = false;
  double min_x = 0.0, max_x = 0.0, min_y = 0.0, max_y = 0.0;
  for (const WorldPoint& p : points) {
    if (!Finite(p.x, p.y)) continue;
    const double x = ClampWorld(p.x);
    const double y = ClampWorld(p.y);
    if (!any) {
      min_x = max_x = x;
      min_y = max_y = y;
      any = true;
      continue;
    }
    min_x = std::min(min_x, x);
    max_x = std::max(max_x, x);
    min_y = std::min(min_y, y);
    max_y = std::max(max_y, y);
  }
  // Halves first: the sum of two values near the limit would not be finite.
  centre_ = {min_x / 2.0 + max_x / 2.0, min_y / 2.0 + max_y / 2.0};

  // Points with equal coordinates still need a span; far from the origin a
  // float's own precision sets the smallest span worth showing.
  const double magnitude =
      std::max({std::abs(min_x), std::abs(max_x), std::abs(min_y), std::abs(max_y)});
  const double floor_span = std::max(kMinFitSpan, magnitude * 1e-6);
  const double span_x = std::max(max_x - min_x, floor_span);
  const double span_y = std::max(max_y - min_y, floor_span);
  const double edge = std::isfinite(margin) && margin > 0.0 ? margin : 0.0;
  const double usable_w = std::max(1.0, width_ - 2.0 * edge);
  const double usable_h = std::max(1.0, height_ - 2.0 * edge);
  scale_ = ClampScale(std::min(usable_w / span_x, usable_h / span_y));
  ClampCentre();
}

void MapTransform::ZoomAbout(ScreenPoint anchor, double factor) {
  if (!std::isfinite(factor) || factor <= 0.0 || !Finite(anchor.x, anchor.y)) return;
  const WorldPoint fixed = ToWorld(anchor);
  scale_ = ClampScale(scale_ * factor);
  centre_.x = fixed.x - (anchor.x - width_ / 2.0) / scale_;
  centre_.y = fixed.y + (anchor.y - height_ / 2.0) / scale_;
  ClampCentre();
}

void MapTransform::Pan(double dx, double dy) {
  if (!Finite(dx, dy)) return;
  centre_.x -= dx / scale_;
  centre_.y += dy / scale_;
  ClampCentre();
}

void MapTransform::ClampCentre() {
  centre_.x = std::isfinite(centre_.x) ? ClampWorld(centre_.x) : 0.0;
  centre_.y = std::isfinite(centre_.y) ? ClampWorld(centre_.y) : 0.0;
}

double GridStep(double scale, double min_pixels) {
  const double raw = min_pixels / scale;
  if (!std::isfinite(raw) || raw <= 0.0) return 0.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double multiple : {1.0, 2.0, 5.0, 10.0}) {
    // The tolerance keeps pow's rounding from skipping an exact match.
    if (multiple * power >= raw * (1.0 - 1e-12)) return multiple * power;
  }
  return 10.0 * power;
}

std::vector<double> GridLines(double low, double high, double step, std::size_t max_lines) {
  std::vector<double> lines;
  if (!Finite(low, high) || !std::isfinite(step) || step <= 0.0 || low > high) return lines;
  // Lines closer than a double can tell apart would all land on one value.
  if (std::max(std::abs(low), std::abs(high)) / step > 1e12) return lines;
  const double first = std::ceil(low / step);
  const double last = std::floor(high / step);
  if (last < first || last - first + 1.0 > static_cast<double>(max_lines)) return lines;
  const auto count = static_cast<std::size_t>(last - first + 1.0);
  lines.reserve(count);
  for (std::size_t i = 0; i < count; ++i) lines.push_back((first + static_cast<double>(i)) * step);
  return lines;
}

std::string GridLabel(double value, double step, char separator) {
  if (!std::isfinite(value)) return {};
  if (std::isfinite(step) && step > 0.0 && std::abs(value) < step / 2.0) return "0";
  char buffer[64];
  std::to_chars_result result{};
  if (!std::isfinite(step) || step <= 0.0 || std::max(std::abs(value), step) >= 1e7) {
    result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  } else {
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                           std::min(decimals, 12));
  }
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), '.', separator);
  if (text == "-0") text = "0";
  return text;
}
