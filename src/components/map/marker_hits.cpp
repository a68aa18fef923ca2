#include "map/marker_hits.h"

#include <algorithm>
#include <vector>

#include "map/map_gesture.h"
#include "map/map_painter.h"

namespace {

std::vector<int> HitsAt(const MapState& state, QPointF position) {
  return MarkersAt(state.transform, StillScene(state), position);
}

}  // namespace

int MarkerHits::ChooseAt(QPointF position) const {
  const std::vector<int> hits = HitsAt(state_, position);
  if (hits.empty()) return -1;
  const auto selected = std::find(hits.begin(), hits.end(), state_.selected);
  if (selected == hits.end()) return hits.front();
  const bool same_spot = (position.toPoint() - last_click_).manhattanLength() <= kSameSpotPixels;
  if (!same_spot) return state_.selected;
  return hits[static_cast<std::size_t>(selected - hits.begin() + 1) % hits.size()];
}

int MarkerHits::DragTargetAt(QPointF position) const {
  const std::vector<int> hits = HitsAt(state_, position);
  if (hits.empty()) return -1;
  const bool on_selected = std::find(hits.begin(), hits.end(), state_.selected) != hits.end();
  return on_selected ? state_.selected : hits.front();
}
