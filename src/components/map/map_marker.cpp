#include "map/map_marker.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace {

// Bright, mutually distinct colours that stand out on maroon and on black.
const std::array<QColor, kMarkerColourCount> kColours = {
    QColor(255, 215, 0),   QColor(0, 200, 255),   QColor(120, 255, 120), QColor(255, 120, 200),
    QColor(255, 150, 40),  QColor(175, 140, 255), QColor(200, 200, 200), QColor(70, 130, 255),
    QColor(255, 255, 150), QColor(0, 255, 200),   QColor(255, 110, 110), QColor(170, 255, 0),
    QColor(255, 0, 255),   QColor(150, 210, 255), QColor(215, 165, 105), QColor(0, 175, 115),
};

int Wrap(int value, int modulus) { return ((value % modulus) + modulus) % modulus; }

}  // namespace

MarkerStyle MarkerStyleFor(int key) {
  return {kColours[static_cast<std::size_t>(Wrap(key, kMarkerColourCount))],
          static_cast<MarkerShape>(Wrap(key / kMarkerColourCount, 4))};
}

void DrawMarker(QPainter& painter, QPointF centre, double radius, const MarkerStyle& style,
                bool outline) {
  painter.setPen(outline ? QPen(Qt::white, 2.0) : QPen(QColor(0, 0, 0, 160), 1.0));
  painter.setBrush(style.colour);
  const double r = radius;
  switch (style.shape) {
    case MarkerShape::Circle:
      painter.drawEllipse(centre, r, r);
      break;
    case MarkerShape::Square:
      painter.drawRect(QRectF(centre.x() - r * 0.85, centre.y() - r * 0.85, r * 1.7, r * 1.7));
      break;
    case MarkerShape::Diamond:
      painter.drawPolygon(QPolygonF({centre + QPointF(0, -r * 1.2), centre + QPointF(r * 1.2, 0),
                                     centre + QPointF(0, r * 1.2), centre + QPointF(-r * 1.2, 0)}));
      break;
    case MarkerShape::Triangle:
      painter.drawPolygon(
          QPolygonF({centre + QPointF(0, -r * 1.25), centre + QPointF(r * 1.1, r * 0.8),
                     centre + QPointF(-r * 1.1, r * 0.8)}));
      break;
  }
}
