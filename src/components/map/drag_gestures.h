#pragma once

#include <QPoint>

#include "map/map_gesture.h"

class MarkerHits;

// Dragging a marker, or every marker of its group, with the pointer; onto
// the grid when one is set (the marker under the pointer lands on it, the
// others keep their places to it), freely once Alt is held.
class MoveDrag : public MapGesture {
 public:
  MoveDrag(const MapState& state, MapReports& reports) : state_(state), reports_(reports) {}

  // Takes over a press on `marker`: `grab` is the marker's offset from the
  // press at `press_world`.
  void Start(int marker, bool group, WorldPoint press_world, WorldPoint grab, bool no_snap);
  bool Group() const { return group_; }

  MapGesture* Move(const MapPointer& pointer) override;
  void Release(const MapPointer& pointer) override;
  bool AltPressed() override;
  bool EndsOn(MapCancel) const override { return true; }
  void Cancel() override;
  bool Fits(const MapState& state) const override;
  void Decorate(MapScene& scene) const override;

 private:
  void Follow(WorldPoint under);

  const MapState& state_;
  MapReports& reports_;
  bool running_ = false;
  int marker_ = -1;
  bool group_ = false;
  bool no_snap_ = false;
  WorldPoint press_world_;
  WorldPoint grab_;
  WorldPoint last_under_;
  WorldPoint to_;      // one marker: where it is drawn
  WorldPoint offset_;  // a group: how far it has come
};

// A press on a marker: a click chooses (stepping through a stack), a drag
// moves the marker the user sees selected, or its group.
class MarkerPress : public MapGesture {
 public:
  MarkerPress(const MapState& state, MapReports& reports, MarkerHits& hits, MoveDrag& drag)
      : state_(state), reports_(reports), hits_(hits), drag_(drag) {}

  // False when no marker is under the pointer.
  bool Press(const MapPointer& pointer);

  MapGesture* Move(const MapPointer& pointer) override;
  void Release(const MapPointer& pointer) override;
  bool EndsOn(MapCancel why) const override { return why != MapCancel::FocusLost; }
  void Cancel() override { running_ = false; }
  bool Fits(const MapState& state) const override { return state.Has(marker_); }

 private:
  const MapState& state_;
  MapReports& reports_;
  MarkerHits& hits_;
  MoveDrag& drag_;
  bool running_ = false;
  int marker_ = -1;
  bool no_snap_ = false;
  QPoint press_;
  WorldPoint press_world_;
  WorldPoint grab_;
};

// Dragging empty space moves the picture.
class PanDrag : public MapGesture {
 public:
  PanDrag(MapReports& reports, MarkerHits& hits) : reports_(reports), hits_(hits) {}

  void Press(const MapPointer& pointer);

  MapGesture* Move(const MapPointer& pointer) override;
  void Release(const MapPointer&) override {}
  bool EndsOn(MapCancel why) const override { return why == MapCancel::StateChanged; }
  void Cancel() override {}
  bool Fits(const MapState&) const override { return true; }

 private:
  MapReports& reports_;
  MarkerHits& hits_;
  QPoint last_;
};

// Shift+drag on empty space: a rectangle whose markers join the group.
class AreaDrag : public MapGesture {
 public:
  AreaDrag(const MapState& state, MapReports& reports) : state_(state), reports_(reports) {}

  void Press(const MapPointer& pointer);

  MapGesture* Move(const MapPointer& pointer) override;
  void Release(const MapPointer& pointer) override;
  bool EndsOn(MapCancel) const override { return true; }
  void Cancel() override;
  bool Fits(const MapState&) const override { return true; }
  void Decorate(MapScene& scene) const override;

 private:
  const MapState& state_;
  MapReports& reports_;
  QPoint press_;
  QPoint last_;
  WorldPoint press_world_;
};
