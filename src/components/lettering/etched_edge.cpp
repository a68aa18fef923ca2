#include "lettering/etched_edge.h"

#include <QPainter>

EtchedEdge::EtchedEdge(Side side, QWidget* parent) : QWidget(parent), side_(side) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void EtchedEdge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor dark = palette().color(QPalette::Dark);
  const QColor light = palette().color(QPalette::Light);
  if (side_ == Side::Left) {
    painter.setPen(dark);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(light);
    painter.drawLine(1, 0, 1, height() - 1);
  } else {
    painter.setPen(dark);
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(light);
    painter.drawLine(0, 1, width() - 1, 1);
  }
}
