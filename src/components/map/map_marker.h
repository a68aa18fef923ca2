#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

enum class MarkerShape { Circle, Square, Diamond, Triangle };

// How the markers of one colour key look. Keys share one of 16 colours
// (key mod 16) and one of four shapes (key / 16 mod 4), so 64 neighbouring
// keys look different and a key always looks the same.
struct MarkerStyle {
  QColor colour;
  MarkerShape shape = MarkerShape::Circle;
};

inline constexpr int kMarkerColourCount = 16;

MarkerStyle MarkerStyleFor(int key);

// A marker of `radius` pixels around `centre`; `outline` draws a white ring
// around it (the selected marker).
void DrawMarker(QPainter& painter, QPointF centre, double radius, const MarkerStyle& style,
                bool outline);
