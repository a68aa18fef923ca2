#include "effects/explode_geometry.h"

#include <cmath>

namespace {

int Nearest(double value) { return static_cast<int>(std::floor(value + 0.5)); }

double Between(double from, double to, int step, int steps) {
  return from + (to - from) * step / steps;
}

}  // namespace

QList<QRect> ExplodeOutlines(const QRect& frame, const QPoint& pointer) {
  // The frame's right and bottom are exclusive here: width = right - left.
  const double left = frame.x();
  const double top = frame.y();
  const double right = frame.x() + frame.width();
  const double bottom = frame.y() + frame.height();

  const double start_x = pointer.x();
  const double start_y = pointer.y();
  const double turn_x = (start_x + left) / 2;
  const double turn_y = bottom;

  QList<QRect> outlines;
  outlines.reserve(kExplodeTravelSteps + kExplodeGrowSteps);
  for (int i = 1; i <= kExplodeTravelSteps; ++i) {
    outlines.emplace_back(Nearest(Between(start_x, turn_x, i, kExplodeTravelSteps)),
                          Nearest(Between(start_y, turn_y, i, kExplodeTravelSteps)),
                          kExplodeStartWidth, kExplodeStartHeight);
  }
  for (int i = 1; i <= kExplodeGrowSteps; ++i) {
    outlines.emplace_back(
        Nearest(Between(turn_x, left, i, kExplodeGrowSteps)),
        Nearest(Between(turn_y, top, i, kExplodeGrowSteps)),
        Nearest(Between(kExplodeStartWidth, right - left, i, kExplodeGrowSteps)),
        Nearest(Between(kExplodeStartHeight, bottom - top, i, kExplodeGrowSteps)));
  }
  return outlines;
}
