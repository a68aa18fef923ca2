#pragma once

#include <QPointF>
#include <QSizeF>
#include <optional>

#include "map/map_gesture.h"

class MarkerHits;

// Gestures that are over with their press or their choice: nothing follows
// them with the pointer.

// While the map picks a point, a left click anywhere only reports where.
class PointPick {
 public:
  PointPick(const MapState& state, MapReports& reports) : state_(state), reports_(reports) {}
  void Press(const MapPointer& pointer);

 private:
  const MapState& state_;
  MapReports& reports_;
};

// Shift+click on a marker adds it to the group or takes it out.
class GroupToggle {
 public:
  GroupToggle(MapReports& reports, const MarkerHits& hits) : reports_(reports), hits_(hits) {}
  // False when no marker is under the pointer (the press draws an area instead).
  bool Press(const MapPointer& pointer);

 private:
  MapReports& reports_;
  const MarkerHits& hits_;
};

// "Paste Here" on the context menu: the records go where the menu opened.
class PasteHere {
 public:
  PasteHere(const MapState& state, MapReports& reports) : state_(state), reports_(reports) {}
  void Open(QPointF position) { at_ = state_.WorldAt(position); }
  void Choose() { reports_.Report(MapReport::At(MapReport::Kind::PasteHere, at_)); }

 private:
  const MapState& state_;
  MapReports& reports_;
  WorldPoint at_;
};

// A row of another list let go over the map: where it lands, nothing when
// outside the map's `area` (widget pixels from (0, 0)).
std::optional<WorldPoint> DropLanding(const MapState& state, QPointF position, QSizeF area);
