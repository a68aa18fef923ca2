#include "map/map_tools.h"

#include "map_geometry.h"

MapTools::MapTools(const MapState& state, MapReports& reports)
    : state_(state),
      reports_(reports),
      hits_(state),
      move_(state, reports),
      press_(state, reports, hits_, move_),
      pan_(reports, hits_),
      area_(state, reports),
      turn_(state, reports, hits_),
      pick_(state, reports),
      toggle_(reports, hits_),
      paste_(state, reports) {}

void MapTools::Press(const MapPointer& pointer) {
  active_ = nullptr;
  if (state_.picking_point) return pick_.Press(pointer);
  // The handle wins over everything: Shift held from the start snaps the turn.
  if (turn_.Press(pointer)) {
    active_ = &turn_;
  } else if (pointer.shift) {
    // Shift chooses markers for the group instead of moving anything.
    if (!toggle_.Press(pointer)) {
      area_.Press(pointer);
      active_ = &area_;
    }
  } else if (press_.Press(pointer)) {
    active_ = &press_;
  } else {
    pan_.Press(pointer);
    active_ = &pan_;
  }
}

// A report during the move may end the gesture (the points changed under it).
void MapTools::Move(const MapPointer& pointer) {
  MapGesture* const gesture = active_;
  if (gesture == nullptr) return;
  MapGesture* const next = gesture->Move(pointer);
  if (active_ == gesture) active_ = next;
}

// The gesture is over before it reports, so a listener sees none running.
void MapTools::Release(const MapPointer& pointer) {
  MapGesture* const gesture = active_;
  active_ = nullptr;
  if (gesture != nullptr) gesture->Release(pointer);
}

void MapTools::Cancel(MapCancel why) {
  if (active_ != nullptr && active_->EndsOn(why)) End(active_);
}

void MapTools::StateChanged() {
  if (active_ != nullptr && !active_->Fits(state_)) End(active_);
}

void MapTools::End(MapGesture* gesture) {
  active_ = nullptr;
  gesture->Cancel();
}

void MapTools::Decorate(MapScene& scene) const {
  if (active_ != nullptr) active_->Decorate(scene);
}

bool MapTools::Key(MapKey key, bool shift) {
  const double step = shift ? 10.0 : 1.0;
  switch (key) {
    case MapKey::Alt:
      return active_ != nullptr && active_->AltPressed();
    case MapKey::Escape:
      if (active_ != nullptr && active_->EndsOn(MapCancel::Escape)) {
        End(active_);
      } else if (state_.group_size > 0) {
        reports_.Report(MapReport::Of(MapReport::Kind::GroupCleared));
      } else if (state_.overlay_shown) {
        reports_.Report(MapReport::Of(MapReport::Kind::OverlayEnd));
      } else {
        return false;
      }
      return true;
    case MapKey::Left:
      return Arrow(-step, 0.0, shift);
    case MapKey::Right:
      return Arrow(step, 0.0, shift);
    case MapKey::Up:
      return Arrow(0.0, step, shift);
    case MapKey::Down:
      return Arrow(0.0, -step, shift);
  }
  return false;
}

bool MapTools::Arrow(double dx, double dy, bool shift) {
  if (active_ != nullptr || state_.selected < 0) return true;
  const MapPoint& at = state_.Point(state_.selected);
  const bool drawn = std::isfinite(at.x) && std::isfinite(at.y);
  if (state_.grid_step > 0.0 && drawn) {
    // The selected marker moves to the next multiple the way the arrow
    // points and onto the grid the other way; a group keeps its shape around it.
    const double grid = state_.grid_step;
    const int steps = shift ? 10 : 1;
    const double x =
        dx != 0.0 ? StepOnGrid(at.x, grid, dx > 0 ? steps : -steps) : SnapToGrid(at.x, grid);
    const double y =
        dy != 0.0 ? StepOnGrid(at.y, grid, dy > 0 ? steps : -steps) : SnapToGrid(at.y, grid);
    dx = x - at.x;
    dy = y - at.y;
  }
  if (state_.MovesGroup(state_.selected)) {
    reports_.Report(MapReport::By(MapReport::Kind::GroupMoved, dx, dy));
  } else if (drawn) {
    reports_.Report(MapReport::By(MapReport::Kind::Nudged, dx, dy, state_.selected));
  }
  return true;
}
