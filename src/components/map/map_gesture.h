#pragma once

#include <QPointF>
#include <vector>

#include "map/map_point.h"
#include "map/map_transform.h"

struct MapScene;

// What the map's gestures read: the points, the selection, the group, the
// view and the grid. The view owns it; the gestures never change it, they
// report what the user did and the view (or the window behind it) answers.
struct MapState {
  std::vector<MapPoint> points;
  int selected = -1;
  std::vector<bool> group;  // one flag per point
  int group_size = 0;
  MapTransform transform;
  double grid_step = 0.0;  // world units; 0: no grid
  bool picking_point = false;
  bool overlay_shown = false;
  // Pixels a pressed pointer must travel before a press becomes a drag.
  int drag_distance = 10;

  bool Has(int index) const { return index >= 0 && index < static_cast<int>(points.size()); }
  const MapPoint& Point(int index) const { return points[static_cast<std::size_t>(index)]; }
  // Whether dragging or turning `index` moves the whole group.
  bool MovesGroup(int index) const {
    return group_size >= 2 && Has(index) && group[static_cast<std::size_t>(index)];
  }
  WorldPoint WorldAt(QPointF position) const {
    return transform.ToWorld({position.x(), position.y()});
  }
};

// The pointer as a gesture sees it: where on the widget, and the keys held.
struct MapPointer {
  QPointF position;
  bool shift = false;
  bool alt = false;
};

// What a gesture reports to the view, which passes it on as a signal.
struct MapReport {
  enum class Kind {
    Picked,         // at: a point picked
    Clicked,        // index chosen (-1: none)
    Dragged,        // index dropped at `at`
    Nudged,         // index moved by (dx, dy)
    Toggled,        // index added to or taken out of the group
    AreaSelected,   // the rectangle from `from` to `at`
    GroupMoved,     // by (dx, dy)
    GroupCleared,   // Esc asks for the group's end
    Turning,        // index turned to `angle`, live
    Turned,         // index turned to `angle`, on release
    TurnCancelled,  // index: whatever Turning set goes back
    GroupTurned,    // by `angle` degrees about the group's middle
    DragMotion,     // (dx, dy) from where the dragged markers were
    TurnMotion,     // `angle` set (a marker) or turned by (a group), live
    MotionEnded,
    Panned,      // the picture moved by (dx, dy) pixels
    OverlayEnd,  // Esc asks for the overlay's end
    PasteHere,   // "Paste Here" chosen for `at`
  };
  Kind kind = Kind::Clicked;
  int index = -1;
  WorldPoint at;
  WorldPoint from;
  double dx = 0.0;
  double dy = 0.0;
  double angle = 0.0;
  bool operator==(const MapReport&) const = default;

  static MapReport Of(Kind kind, int index = -1) {
    MapReport report;
    report.kind = kind;
    report.index = index;
    return report;
  }
  static MapReport At(Kind kind, WorldPoint at, int index = -1) {
    MapReport report = Of(kind, index);
    report.at = at;
    return report;
  }
  static MapReport By(Kind kind, double dx, double dy, int index = -1) {
    MapReport report = Of(kind, index);
    report.dx = dx;
    report.dy = dy;
    return report;
  }
  static MapReport Angle(Kind kind, double angle, int index = -1) {
    MapReport report = Of(kind, index);
    report.angle = angle;
    return report;
  }
  static MapReport Area(WorldPoint from, WorldPoint to) {
    MapReport report = At(Kind::AreaSelected, to);
    report.from = from;
    return report;
  }
};

class MapReports {
 public:
  virtual ~MapReports() = default;
  // Called at once, while the gesture runs: what the listener changes in the
  // state is there when it returns.
  virtual void Report(const MapReport& report) = 0;
};

// Presses this close to an earlier one count as the same spot.
inline constexpr int kSameSpotPixels = 3;

// The picture with no gesture running: what a press is tested against.
MapScene StillScene(const MapState& state);

// Why a gesture is asked to end before its release.
enum class MapCancel { Escape, FocusLost, StateChanged };

// One gesture of the map. A press that starts it hands it the following
// moves and the release; Cancel ends it early, putting back what it showed.
class MapGesture {
 public:
  virtual ~MapGesture() = default;
  // Returns the gesture that takes the events after this move: this one,
  // another it became (a press that turned into a drag), or null when over.
  virtual MapGesture* Move(const MapPointer& pointer) = 0;
  virtual void Release(const MapPointer& pointer) = 0;
  // Alt pressed while the gesture runs; true when it changed something.
  virtual bool AltPressed() { return false; }
  // Whether `why` ends the gesture early (a pan goes on through Esc).
  virtual bool EndsOn(MapCancel why) const = 0;
  // Ends the gesture before its release, putting back what it showed.
  virtual void Cancel() = 0;
  // Whether the gesture still makes sense after the points or the group changed.
  virtual bool Fits(const MapState& state) const = 0;
  // What the gesture shows on the next picture.
  virtual void Decorate(MapScene&) const {}
};
