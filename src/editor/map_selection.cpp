#include "editor/map_selection.h"

#include <algorithm>
#include <cmath>

std::vector<int> RecordsInArea(const std::vector<TMapRecordPoint>& points, const TMapArea& area) {
  const double left = std::min(area.x0, area.x1), right = std::max(area.x0, area.x1);
  const double bottom = std::min(area.y0, area.y1), top = std::max(area.y0, area.y1);
  std::vector<int> inside;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TMapRecordPoint& point = points[i];
    // NaN fails every comparison, so only the infinities need a word.
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) continue;
    if (point.x >= left && point.x <= right && point.y >= bottom && point.y <= top) {
      inside.push_back(static_cast<int>(i));
    }
  }
  return inside;
}

namespace {

std::vector<int> Started(std::vector<int> group, int shown_row) {
  if (group.empty() && shown_row >= 0) group.push_back(shown_row);
  return group;
}

}  // namespace

std::vector<int> ToggledGroup(std::vector<int> group, int shown_row, int row) {
  group = Started(std::move(group), shown_row);
  const auto at = std::find(group.begin(), group.end(), row);
  if (at != group.end()) {
    group.erase(at);
  } else {
    group.push_back(row);
  }
  std::sort(group.begin(), group.end());
  return group;
}

std::vector<int> WidenedGroup(std::vector<int> group, int shown_row, const std::vector<int>& rows) {
  group = Started(std::move(group), shown_row);
  group.insert(group.end(), rows.begin(), rows.end());
  std::sort(group.begin(), group.end());
  group.erase(std::unique(group.begin(), group.end()), group.end());
  return group;
}

std::vector<int> RowRange(const std::vector<int>& shown_rows, int anchor, int row) {
  const int first = std::min(anchor, row), last = std::max(anchor, row);
  std::vector<int> range;
  for (int shown : shown_rows) {
    if (shown >= first && shown <= last) range.push_back(shown);
  }
  return range;
}
