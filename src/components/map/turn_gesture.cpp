#include "map/turn_gesture.h"

#include <cmath>
#include <optional>

#include "map/map_painter.h"
#include "map/marker_hits.h"
#include "map_geometry.h"

bool TurnGesture::Press(const MapPointer& pointer) {
  const std::optional<QPointF> handle = TurnHandlePosition(state_.transform, StillScene(state_));
  if (!handle) return false;
  const QPointF off = pointer.position - *handle;
  if (std::hypot(off.x(), off.y()) > kHandleHitRadius) return false;
  group_ = state_.MovesGroup(state_.selected);
  if (group_) {
    centre_ = GroupCentre();
    const WorldPoint at = state_.WorldAt(pointer.position);
    const auto from = AngleTowards(at.x - centre_.x, at.y - centre_.y, false);
    if (!from) return false;  // a handle on the centre itself: nothing to turn by
    from_ = *from;
  }
  running_ = true;
  index_ = state_.selected;
  moved_ = false;
  press_ = pointer.position.toPoint();
  to_ = state_.Point(index_).angle;
  turn_ = 0.0;
  return true;
}

MapGesture* TurnGesture::Move(const MapPointer& pointer) {
  // A click on the handle that wobbles a pixel turns nothing.
  if (!moved_ && (pointer.position.toPoint() - press_).manhattanLength() <= kSameSpotPixels) {
    return this;
  }
  const WorldPoint under = state_.WorldAt(pointer.position);
  if (group_) {
    TurnGroup(under, pointer.shift);
  } else {
    TurnMarker(under, pointer.shift);
  }
  return running_ ? this : nullptr;
}

void TurnGesture::TurnMarker(WorldPoint under, bool snap) {
  const MapPoint& marker = state_.Point(index_);
  const auto angle = AngleTowards(under.x - marker.x, under.y - marker.y, snap);
  if (!angle || (moved_ && *angle == to_)) return;
  to_ = *angle;
  moved_ = true;
  reports_.Report(MapReport::Angle(MapReport::Kind::TurnMotion, to_));
  reports_.Report(MapReport::Angle(MapReport::Kind::Turning, to_, index_));
}

void TurnGesture::TurnGroup(WorldPoint under, bool snap) {
  const auto angle = AngleTowards(under.x - centre_.x, under.y - centre_.y, false);
  if (!angle) return;
  double turned = SignedTurn(*angle - from_);
  if (snap) turned = SignedTurn(std::round(turned / kTurnSnapDegrees) * kTurnSnapDegrees);
  if (moved_ && turned == turn_) return;
  turn_ = turned;
  moved_ = true;
  reports_.Report(MapReport::Angle(MapReport::Kind::TurnMotion, turn_));
}

void TurnGesture::Release(const MapPointer&) {
  running_ = false;
  reports_.Report(MapReport::Of(MapReport::Kind::MotionEnded));
  if (moved_) {
    if (!group_) reports_.Report(MapReport::Angle(MapReport::Kind::Turned, to_, index_));
    if (group_ && turn_ != 0.0)
      reports_.Report(MapReport::Angle(MapReport::Kind::GroupTurned, turn_));
    return;
  }
  const int clicked = hits_.ChooseAt(press_);
  if (clicked < 0) return;
  hits_.Clicked(press_);
  reports_.Report(MapReport::Of(MapReport::Kind::Clicked, clicked));
}

void TurnGesture::Cancel() {
  running_ = false;
  reports_.Report(MapReport::Of(MapReport::Kind::TurnCancelled, index_));
  reports_.Report(MapReport::Of(MapReport::Kind::MotionEnded));
}

bool TurnGesture::Fits(const MapState& state) const {
  return state.Has(index_) && (!group_ || state.group_size >= 2);
}

void TurnGesture::Decorate(MapScene& scene) const {
  if (group_) {
    scene.group_turning = true;
    scene.group_turn = turn_;
    scene.group_centre = centre_;
  } else if (moved_) {
    scene.turned = index_;
    scene.turned_to = to_;
  }
}

// The middle of the group's extent, as the editor turns it.
WorldPoint TurnGesture::GroupCentre() const {
  std::vector<TTurnPoint> members;
  for (std::size_t i = 0; i < state_.points.size(); ++i) {
    if (state_.group[i]) members.push_back({state_.points[i].x, state_.points[i].y, 0.0});
  }
  const TTurnPoint centre = TurnCentre(members);
  return {centre.x, centre.y};
}
