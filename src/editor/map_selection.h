#pragma once

#include <vector>

#include "editor/map_points.h"

// Rules of the map's group selection, on the points the map draws.

// A rectangle on the map, in file units; the corners in any order.
struct TMapArea {
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
};

// The records whose drawn point lies inside `area` (edges included), in
// record order. Records the map cannot draw (X or Y not finite) never do.
std::vector<int> RecordsInArea(const std::vector<TMapRecordPoint>& points, const TMapArea& area);

// `group` with `row` added, or removed when it holds it already. An empty
// group starts from `shown_row` (the record the fields show, -1 for none):
// the first Shift+click adds to the marker already chosen.
std::vector<int> ToggledGroup(std::vector<int> group, int shown_row, int row);

// `group` (started from `shown_row` when empty) with `rows` added.
std::vector<int> WidenedGroup(std::vector<int> group, int shown_row, const std::vector<int>& rows);

// Shift+click in a list: the rows it shows (`shown_rows`, ascending) from
// `anchor` to `row`, both included when shown.
std::vector<int> RowRange(const std::vector<int>& shown_rows, int anchor, int row);
