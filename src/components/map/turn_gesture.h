#pragma once

#include <QPoint>

#include "map/map_gesture.h"

class MarkerHits;

// Dragging the selected marker's handle turns it towards the pointer (Shift:
// in steps of 15 degrees); on a group of two or more it turns the whole
// group about the middle of its extent. A click on the handle that turns
// nothing chooses the marker under it, as any click does.
class TurnGesture : public MapGesture {
 public:
  TurnGesture(const MapState& state, MapReports& reports, MarkerHits& hits)
      : state_(state), reports_(reports), hits_(hits) {}

  // False when the press is not on the selected marker's handle.
  bool Press(const MapPointer& pointer);

  MapGesture* Move(const MapPointer& pointer) override;
  void Release(const MapPointer& pointer) override;
  bool EndsOn(MapCancel) const override { return true; }
  void Cancel() override;
  bool Fits(const MapState& state) const override;
  void Decorate(MapScene& scene) const override;

 private:
  void TurnMarker(WorldPoint under, bool snap);
  void TurnGroup(WorldPoint under, bool snap);
  WorldPoint GroupCentre() const;

  const MapState& state_;
  MapReports& reports_;
  MarkerHits& hits_;
  bool running_ = false;
  int index_ = -1;
  bool group_ = false;
  bool moved_ = false;
  QPoint press_;
  double to_ = 0.0;  // one marker: the direction it is given
  // A group: turned by `turn_` about `centre_`, from the direction of the press.
  WorldPoint centre_;
  double from_ = 0.0;
  double turn_ = 0.0;
};
