#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// Plain pairs of coordinates; no toolkit types, so the transform is tested
// without a display.
struct WorldPoint {
  double x = 0.0;
  double y = 0.0;
  bool operator==(const WorldPoint&) const = default;
};
struct ScreenPoint {
  double x = 0.0;
  double y = 0.0;
};

// The view of a top-down map: world X grows to the right, world Y upwards;
// screen x to the right, screen y downwards, (0, 0) the top-left pixel.
// The view is a centre in world units and a scale in pixels per world unit.
// Every input is checked: NaN, infinite or absurd values never reach the
// state, so the view stays finite whatever the data holds.
class MapTransform {
 public:
  // Scale limits in pixels per world unit: the low one still fits two points
  // at opposite ends of the single-float range into a small window, the high
  // one stops zooming where float positions lose their meaning.
  static constexpr double kMinScale = 1e-40;
  static constexpr double kMaxScale = 1e4;
  // Beyond every single-float value; the centre never leaves this range.
  static constexpr double kWorldLimit = 1e39;
  // A fit never shows less than this many world units across.
  static constexpr double kMinFitSpan = 10.0;

  MapTransform() = default;
  MapTransform(double width, double height) { SetViewport(width, height); }

  // The widget's size in pixels; at least one pixel each way.
  void SetViewport(double width, double height);
  double Width() const { return width_; }
  double Height() const { return height_; }

  double Scale() const { return scale_; }
  WorldPoint Centre() const { return centre_; }
  // Sets both at once, clamped to the limits; non-finite values are ignored.
  void SetView(WorldPoint centre, double scale);

  ScreenPoint ToScreen(WorldPoint world) const;
  WorldPoint ToWorld(ScreenPoint screen) const;

  // Centres the finite points and scales them to fill the viewport less
  // `margin` pixels on every side. Points with a NaN or infinite coordinate
  // are left out; with none left the view shows the origin. Equal points get
  // kMinFitSpan world units (or a millionth of their size, if more) around them.
  void Fit(std::span<const WorldPoint> points, double margin);
  // Multiplies the scale by `factor` and keeps the world point under
  // `anchor` where it is on the screen (as far as the scale limits allow).
  void ZoomAbout(ScreenPoint anchor, double factor);
  // Moves the picture by a pointer movement in pixels.
  void Pan(double dx, double dy);

 private:
  void ClampCentre();

  double width_ = 1.0;
  double height_ = 1.0;
  double scale_ = 1.0;
  WorldPoint centre_;
};

// The grid's spacing in world units: 1, 2 or 5 times a power of ten, the
// smallest that puts lines at least `min_pixels` apart at `scale`; 0 when
// there is none (a non-finite or non-positive input).
double GridStep(double scale, double min_pixels);

// The multiples of `step` in [low, high], in order; none when the input is
// not finite, the step is below the precision of the range (the lines would
// coincide), or there would be more than `max_lines`.
std::vector<double> GridLines(double low, double high, double step, std::size_t max_lines);

// A grid line's label: as many decimals as the step needs ("0.5", "-20",
// "1500"), exponent form for very large or small values ("2e+30"); never "-0".
std::string GridLabel(double value, double step, char separator = '.');
