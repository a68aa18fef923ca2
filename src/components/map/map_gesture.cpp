#include "map/map_gesture.h"

#include "map/map_painter.h"

MapScene StillScene(const MapState& state) {
  MapScene scene;
  scene.points = &state.points;
  scene.selected = state.selected;
  scene.group = &state.group;
  return scene;
}
