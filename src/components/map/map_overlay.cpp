#include "map/map_overlay.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {

constexpr double kMarkSize = 8.0;  // half the width of a mark, in pixels

const QColor kOtherColour(255, 255, 255, 90);
const QColor kAddedColour(80, 230, 80);
const QColor kRemovedColour(255, 90, 90);
const QColor kChangedColour(255, 220, 60);
const QColor kMovedColour(90, 220, 255);

bool FiniteWorldPoint(WorldPoint point) { return std::isfinite(point.x) && std::isfinite(point.y); }

QPointF Screen(const MapTransform& transform, WorldPoint world) {
  const ScreenPoint screen = transform.ToScreen(world);
  return {screen.x, screen.y};
}

void Diamond(QPainter& painter, QPointF at) {
  painter.drawPolygon(QPolygonF({at + QPointF(0, -kMarkSize), at + QPointF(kMarkSize, 0),
                                 at + QPointF(0, kMarkSize), at + QPointF(-kMarkSize, 0)}));
}

void Arrow(QPainter& painter, QPointF from, QPointF to) {
  painter.drawLine(from, to);
  const QPointF along = to - from;
  const double length = std::hypot(along.x(), along.y());
  if (length < 1.0) return;
  const QPointF unit = along / length;
  const QPointF across(-unit.y(), unit.x());
  const QPointF tip = to - unit * kMarkSize;  // the head ends at the diamond
  painter.setBrush(painter.pen().color());
  painter.drawPolygon(
      QPolygonF({tip, tip - unit * 8.0 + across * 4.0, tip - unit * 8.0 - across * 4.0}));
  painter.setBrush(Qt::NoBrush);
}

}  // namespace

void PaintOverlay(QPainter& painter, const MapTransform& transform, const MapOverlay& overlay) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  for (const MapOverlayMark& mark : overlay.marks) {
    if (!FiniteWorldPoint(mark.at)) continue;
    const QPointF at = Screen(transform, mark.at);
    switch (mark.kind) {
      case MapOverlayMark::Kind::Other:
        painter.setPen(QPen(kOtherColour, 1.0));
        painter.drawEllipse(at, 3.0, 3.0);
        break;
      case MapOverlayMark::Kind::Added:
        painter.setPen(QPen(kAddedColour, 2.0));
        painter.drawRect(
            QRectF(at - QPointF(kMarkSize, kMarkSize), at + QPointF(kMarkSize, kMarkSize)));
        painter.drawLine(at - QPointF(3, 0), at + QPointF(3, 0));
        painter.drawLine(at - QPointF(0, 3), at + QPointF(0, 3));
        break;
      case MapOverlayMark::Kind::Removed:
        painter.setPen(QPen(kRemovedColour, 2.5));
        painter.drawLine(at - QPointF(kMarkSize, kMarkSize), at + QPointF(kMarkSize, kMarkSize));
        painter.drawLine(at - QPointF(kMarkSize, -kMarkSize), at + QPointF(kMarkSize, -kMarkSize));
        break;
      case MapOverlayMark::Kind::Changed:
        painter.setPen(QPen(kChangedColour, 2.5));
        Diamond(painter, at);
        break;
      case MapOverlayMark::Kind::Moved:
        painter.setPen(QPen(kMovedColour, 2.0, Qt::DashLine));
        if (FiniteWorldPoint(mark.from)) Arrow(painter, Screen(transform, mark.from), at);
        painter.setPen(QPen(kMovedColour, 2.0));
        Diamond(painter, at);
        break;
    }
  }
  painter.restore();
}
