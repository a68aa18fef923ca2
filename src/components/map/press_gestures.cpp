#include "map/press_gestures.h"

#include "map/marker_hits.h"

void PointPick::Press(const MapPointer& pointer) {
  reports_.Report(MapReport::At(MapReport::Kind::Picked, state_.WorldAt(pointer.position)));
}

bool GroupToggle::Press(const MapPointer& pointer) {
  const int marker = hits_.ChooseAt(pointer.position);
  if (marker < 0) return false;
  reports_.Report(MapReport::Of(MapReport::Kind::Toggled, marker));
  return true;
}

std::optional<WorldPoint> DropLanding(const MapState& state, QPointF position, QSizeF area) {
  // Whole pixels, as the widget's own rectangle counts them.
  const QPoint pixel = position.toPoint();
  if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= area.width() || pixel.y() >= area.height()) {
    return std::nullopt;
  }
  return state.WorldAt(position);
}
