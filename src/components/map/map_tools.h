#pragma once

#include "map/drag_gestures.h"
#include "map/map_gesture.h"
#include "map/marker_hits.h"
#include "map/press_gestures.h"
#include "map/turn_gesture.h"

// The map's gestures, routed without a widget.

// The keys the gestures answer to; the view keeps zoom and fit.
enum class MapKey { Alt, Escape, Left, Right, Up, Down };

// The map's gestures and which one a press starts: the handle first, then
// Shift's group choices, a marker, and empty space. The gesture in progress
// takes the moves, the release and the keys; with none, the arrows nudge
// the selected marker (or its group) and Esc asks to end the group, then
// the overlay. Needs no widget: the view hands it points and keys.
class MapTools {
 public:
  MapTools(const MapState& state, MapReports& reports);
  MapTools(const MapTools&) = delete;
  MapTools& operator=(const MapTools&) = delete;

  void Press(const MapPointer& pointer);
  void Move(const MapPointer& pointer);
  void Release(const MapPointer& pointer);
  // True when the key was used.
  bool Key(MapKey key, bool shift);
  void Cancel(MapCancel why);
  // The points or the group changed: a gesture that no longer fits ends.
  void StateChanged();
  void Decorate(MapScene& scene) const;

  bool Running() const { return active_ != nullptr; }
  bool Turning() const { return active_ == &turn_; }
  bool Dragging() const { return active_ == &move_; }
  PasteHere& Paste() { return paste_; }

 private:
  bool Arrow(double dx, double dy, bool shift);
  void End(MapGesture* gesture);

  const MapState& state_;
  MapReports& reports_;
  MarkerHits hits_;
  MoveDrag move_;
  MarkerPress press_;
  PanDrag pan_;
  AreaDrag area_;
  TurnGesture turn_;
  PointPick pick_;
  GroupToggle toggle_;
  PasteHere paste_;
  MapGesture* active_ = nullptr;
};
