#pragma once

#include <QString>
#include <vector>

#include "map/map_transform.h"

class QPainter;

// Marks laid over the map, for a comparison with another set of points:
// each kind is told apart by its shape as well as its colour.
struct MapOverlayMark {
  enum class Kind {
    Other,    // a point of the other set: a faint ring
    Added,    // a square with a plus
    Removed,  // a cross, where the point was
    Changed,  // a diamond
    Moved,    // an arrow from `from` to `at`, ending in a diamond
  };
  Kind kind = Kind::Other;
  WorldPoint at;
  WorldPoint from;  // Moved only
};

struct MapOverlay {
  std::vector<MapOverlayMark> marks;
  // What a screen reader is told of the marks ("Compared with LoB.dat: ...").
  QString description;
  bool empty() const { return marks.empty() && description.isEmpty(); }
};

// Draws the marks whose points are finite.
void PaintOverlay(QPainter& painter, const MapTransform& transform, const MapOverlay& overlay);
