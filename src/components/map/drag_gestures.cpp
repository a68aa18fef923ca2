#include "map/drag_gestures.h"

#include "map/map_painter.h"
#include "map/marker_hits.h"
#include "map_geometry.h"

// ---- MoveDrag ---------------------------------------------------------------

void MoveDrag::Start(int marker, bool group, WorldPoint press_world, WorldPoint grab,
                     bool no_snap) {
  running_ = true;
  marker_ = marker;
  group_ = group;
  press_world_ = press_world;
  grab_ = grab;
  no_snap_ = no_snap;
}

MapGesture* MoveDrag::Move(const MapPointer& pointer) {
  if (pointer.alt) no_snap_ = true;
  Follow(state_.WorldAt(pointer.position));
  return running_ ? this : nullptr;
}

bool MoveDrag::AltPressed() {
  // Alt pressed in the middle of a drag frees it at once.
  if (!no_snap_) {
    no_snap_ = true;
    Follow(last_under_);
  }
  return true;
}

void MoveDrag::Follow(WorldPoint under) {
  last_under_ = under;
  const double step = no_snap_ ? 0.0 : state_.grid_step;
  const MapPoint& marker = state_.Point(marker_);
  if (group_) {
    offset_ = {under.x - press_world_.x, under.y - press_world_.y};
    if (step > 0.0) {
      offset_ = {SnapToGrid(marker.x + offset_.x, step) - marker.x,
                 SnapToGrid(marker.y + offset_.y, step) - marker.y};
    }
    reports_.Report(MapReport::By(MapReport::Kind::DragMotion, offset_.x, offset_.y));
  } else {
    to_ = {SnapToGrid(under.x + grab_.x, step), SnapToGrid(under.y + grab_.y, step)};
    reports_.Report(MapReport::By(MapReport::Kind::DragMotion, to_.x - marker.x, to_.y - marker.y));
  }
}

void MoveDrag::Release(const MapPointer&) {
  running_ = false;
  reports_.Report(MapReport::Of(MapReport::Kind::MotionEnded));
  if (group_) {
    reports_.Report(MapReport::By(MapReport::Kind::GroupMoved, offset_.x, offset_.y));
  } else {
    reports_.Report(MapReport::At(MapReport::Kind::Dragged, to_, marker_));
  }
}

void MoveDrag::Cancel() {
  running_ = false;
  reports_.Report(MapReport::Of(MapReport::Kind::MotionEnded));
}

bool MoveDrag::Fits(const MapState& state) const {
  return state.Has(marker_) && (!group_ || state.group_size >= 2);
}

void MoveDrag::Decorate(MapScene& scene) const {
  if (group_) {
    scene.group_moving = true;
    scene.group_offset = offset_;
  } else {
    scene.moved = marker_;
    scene.moved_to = to_;
  }
}

// ---- MarkerPress ------------------------------------------------------------

bool MarkerPress::Press(const MapPointer& pointer) {
  // Stepping through a stack waits for the release: a press that becomes a
  // drag moves the marker the user sees selected.
  marker_ = hits_.DragTargetAt(pointer.position);
  if (marker_ < 0) return false;
  running_ = true;
  no_snap_ = pointer.alt;
  press_ = pointer.position.toPoint();
  press_world_ = state_.WorldAt(pointer.position);
  const MapPoint& marker = state_.Point(marker_);
  grab_ = {marker.x - press_world_.x, marker.y - press_world_.y};
  return true;
}

MapGesture* MarkerPress::Move(const MapPointer& pointer) {
  if (pointer.alt) no_snap_ = true;
  if ((pointer.position.toPoint() - press_).manhattanLength() < state_.drag_distance) return this;
  running_ = false;
  const bool group = state_.MovesGroup(marker_);
  if (!group && marker_ != state_.selected) {
    // Only the selected marker moves: dragging another one selects it
    // first, the way a click would, and a refused selection stops the drag.
    running_ = true;
    reports_.Report(MapReport::Of(MapReport::Kind::Clicked, marker_));
    const bool refused = !running_ || marker_ != state_.selected;
    running_ = false;
    if (refused) return nullptr;
  }
  drag_.Start(marker_, group, press_world_, grab_, no_snap_);
  return drag_.Move(pointer);
}

void MarkerPress::Release(const MapPointer&) {
  running_ = false;
  const int clicked = hits_.ChooseAt(press_);
  hits_.Clicked(press_);
  reports_.Report(MapReport::Of(MapReport::Kind::Clicked, clicked));
}

// ---- PanDrag ----------------------------------------------------------------

void PanDrag::Press(const MapPointer& pointer) {
  last_ = pointer.position.toPoint();
  hits_.Forget();
}

MapGesture* PanDrag::Move(const MapPointer& pointer) {
  const QPoint delta = pointer.position.toPoint() - last_;
  last_ = pointer.position.toPoint();
  reports_.Report(MapReport::By(MapReport::Kind::Panned, delta.x(), delta.y()));
  return this;
}

// ---- AreaDrag ---------------------------------------------------------------

void AreaDrag::Press(const MapPointer& pointer) {
  press_ = last_ = pointer.position.toPoint();
  press_world_ = state_.WorldAt(pointer.position);
}

MapGesture* AreaDrag::Move(const MapPointer& pointer) {
  last_ = pointer.position.toPoint();
  return this;
}

void AreaDrag::Release(const MapPointer& pointer) {
  reports_.Report(MapReport::Area(press_world_, state_.WorldAt(pointer.position)));
}

void AreaDrag::Cancel() { reports_.Report(MapReport::Of(MapReport::Kind::MotionEnded)); }

void AreaDrag::Decorate(MapScene& scene) const { scene.area = QRectF(press_, last_).normalized(); }
