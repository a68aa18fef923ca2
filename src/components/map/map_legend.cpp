#include "map/map_legend.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "map/map_marker.h"

namespace {

constexpr int kColumnWidth = 152;
constexpr int kRowHeight = 15;

}  // namespace

MapLegend::MapLegend(QWidget* parent) : QWidget(parent) {}

void MapLegend::setEntries(std::vector<MapLegendEntry> entries) {
  entries_ = std::move(entries);
  update();
}

int MapLegend::Columns() const { return std::max(1, width() / kColumnWidth); }
int MapLegend::Rows() const { return std::max(0, height() / kRowHeight); }

int MapLegend::shownCount() const {
  const int capacity = Columns() * Rows();
  const int count = static_cast<int>(entries_.size());
  if (count <= capacity) return count;
  return std::max(0, capacity - 1);  // the last cell says how many are left out
}

void MapLegend::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QFontMetrics metrics(font());
  const int rows = std::max(1, Rows());
  const int shown = shownCount();
  auto cell = [&](int i) {
    return QRect((i / rows) * kColumnWidth, (i % rows) * kRowHeight, kColumnWidth, kRowHeight);
  };
  for (int i = 0; i < shown; ++i) {
    const QRect area = cell(i);
    const MapLegendEntry& entry = entries_[static_cast<std::size_t>(i)];
    DrawMarker(painter, QPointF(area.left() + 7, area.center().y() + 0.5), 4.0,
               MarkerStyleFor(entry.key), false);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect text_area = area.adjusted(16, 0, -4, 0);
    painter.drawText(text_area, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(entry.text, Qt::ElideRight, text_area.width()));
  }
  const int left_out = static_cast<int>(entries_.size()) - shown;
  if (left_out > 0) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(cell(shown).adjusted(16, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("+%1 more").arg(left_out));
  }
}
