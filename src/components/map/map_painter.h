#pragma once

#include <QChar>
#include <QColor>
#include <QPointF>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "map/map_point.h"
#include "map/map_transform.h"

class MapBackdrop;
class QFont;
class QPainter;

// Everything one picture of the map depends on.
struct MapScene {
  const std::vector<MapPoint>* points = nullptr;
  int selected = -1;
  // A marker being dragged is drawn here instead of at its own position.
  int moved = -1;
  WorldPoint moved_to;
  // Markers selected together (one flag per point, or null), drawn like the
  // selected one; while the group is dragged each is drawn moved by the offset.
  const std::vector<bool>* group = nullptr;
  bool group_moving = false;
  WorldPoint group_offset;
  // While the group is turned, each member is drawn turned by this many
  // degrees about `group_centre` (its direction grown by the same).
  bool group_turning = false;
  double group_turn = 0.0;
  WorldPoint group_centre;
  // A marker being turned by its handle is drawn in this direction instead.
  int turned = -1;
  double turned_to = 0.0;
  // The rectangle being drawn to select markers, in widget pixels (empty: none).
  QRectF area;
  QChar separator = u'.';
  // The picture under the grid and the markers (null or unset: none).
  const MapBackdrop* backdrop = nullptr;
  // The grid to snap to, in world units (0: none); drawn where its lines
  // are at least kSnapGridSpacing pixels apart.
  double snap_step = 0.0;
  // Markers that are not there yet (copies about to be made), drawn faint.
  const std::vector<MapPoint>* preview = nullptr;
};

// The background both the map and its placeholder stand on.
inline const QColor kMapTop(128, 0, 0);
inline const QColor kMapBottom(0, 0, 0);
inline constexpr int kMapGradientSteps = 64;

// Marker radii in pixels and how near a click must come to a marker.
inline constexpr double kMarkerRadius = 4.0;
inline constexpr double kSelectedRadius = 7.0;
inline constexpr double kHitRadius = 7.0;
// The selected marker's direction line and the round handle at its end.
inline constexpr double kSelectedDirectionLength = 17.0;
inline constexpr double kHandleRadius = 4.5;
inline constexpr double kHandleHitRadius = 6.0;
inline constexpr double kSnapGridSpacing = 8.0;

// The world position marker `index` is drawn at (the drag position while moved).
WorldPoint ScenePosition(const MapScene& scene, int index);
// The direction marker `index` is drawn in (the turned one while turned).
double SceneAngle(const MapScene& scene, int index);

// Where the selected marker's turning handle is drawn, in widget pixels of
// an area at (0, 0); nothing when no marker is selected or its direction is
// not a number.
std::optional<QPointF> TurnHandlePosition(const MapTransform& transform, const MapScene& scene);

// A grid line's label and where it is drawn.
struct MapGridLabel {
  QRect rect;
  QString text;
};

// The grid's labels in `area`, written in `font`: x values along the bottom edge,
// y values along the left edge. A y label that would cover an x label (in
// the corner the two edges share) is left out.
std::vector<MapGridLabel> MapGridLabels(const QRect& area, const MapTransform& transform,
                                        QChar separator, const QFont& font);

// Paints the gradient, the backdrop, the snapping grid, the labelled grid and
// the markers (the selected one last, larger and outlined, with its turning
// handle) into `area`.
void PaintMap(QPainter& painter, const QRect& area, const MapTransform& transform,
              const MapScene& scene);

// The markers drawn within kHitRadius of `screen`, in a fixed top-first order
// that ignores the selection (later points first), so that cycling through
// them reaches every one.
std::vector<int> MarkersAt(const MapTransform& transform, const MapScene& scene, QPointF screen);
