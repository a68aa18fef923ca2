#pragma once

#include <QString>

// One marker of the map: a position in world units (X right, Y up), a
// direction in degrees (0 along +X, counter-clockwise positive), the key that
// picks its colour and shape, and the text of its tool tip. A NaN or infinite
// X or Y leaves the point undrawn; a non-finite angle draws no direction line.
struct MapPoint {
  double x = 0.0;
  double y = 0.0;
  double angle = 0.0;
  int key = 0;
  QString tip;
};
