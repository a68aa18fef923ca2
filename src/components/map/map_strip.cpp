#include "map/map_strip.h"

#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "map/map_view.h"

namespace {

constexpr int kLineHeight = 22;

}  // namespace

MapStrip::MapStrip(QWidget* parent) : QWidget(parent) {
  pointer_ = new QLabel(this);
  pointer_->setObjectName(QStringLiteral("MapPointer"));
  zoom_ = new QLabel(this);
  zoom_->setObjectName(QStringLiteral("MapZoom"));
  hidden_ = new QLabel(this);
  hidden_->setObjectName(QStringLiteral("MapHidden"));
  fit_ = new QPushButton(QStringLiteral("Fit"), this);
  fit_->setObjectName(QStringLiteral("MapFit"));
  fit_->setFocusPolicy(Qt::NoFocus);  // the map's Home key does the same
  legend_ = new MapLegend(this);
  legend_->setObjectName(QStringLiteral("MapLegend"));
  connect(fit_, &QPushButton::clicked, this, &MapStrip::fitRequested);
  clearPointer();
  setZoom(1.0);
  setHiddenCount(0);
}

void MapStrip::resizeEvent(QResizeEvent* event) {
  const int w = width();
  pointer_->setGeometry(4, 0, 180, kLineHeight);
  zoom_->setGeometry(186, 0, 120, kLineHeight);
  hidden_->setGeometry(308, 0, w - 308 - 56, kLineHeight);
  fit_->setGeometry(w - 52, 1, 48, kLineHeight - 2);
  legend_->setGeometry(4, kLineHeight + 4, w - 8, height() - kLineHeight - 4);
  QWidget::resizeEvent(event);
}

QString MapStrip::Number(double value) const {
  QString text =
      std::abs(value) < 1e7 ? QString::number(value, 'f', 2) : QString::number(value, 'g', 4);
  if (text == QStringLiteral("-0.00")) text = QStringLiteral("0.00");
  return text.replace(u'.', separator_);
}

void MapStrip::setDecimalSeparator(QChar separator) {
  separator_ = separator;
  if (pointer_at_) setPointer(pointer_at_->x(), pointer_at_->y());
  setZoom(scale_);
}

void MapStrip::setPointer(double x, double y) {
  pointer_at_ = QPointF(x, y);
  pointer_->setText(QStringLiteral("X: %1   Y: %2").arg(Number(x), Number(y)));
}

void MapStrip::clearPointer() {
  pointer_at_.reset();
  pointer_->setText(QStringLiteral("X: -   Y: -"));
}

void MapStrip::setZoom(double scale) {
  scale_ = scale;
  QString number = QString::number(scale, 'g', 3);
  zoom_->setText(QStringLiteral("Zoom: %1 px/unit").arg(number.replace(u'.', separator_)));
}

void MapStrip::setHiddenCount(int count) {
  hidden_->setText(QStringLiteral("Not drawn: %1").arg(count));
}

void MapStrip::setLegend(std::vector<MapLegendEntry> entries) {
  legend_->setEntries(std::move(entries));
}

void ConnectMapStrip(MapView& view, MapStrip& strip) {
  QObject::connect(&view, &MapView::pointerMoved, &strip, &MapStrip::setPointer);
  QObject::connect(&view, &MapView::pointerLeft, &strip, &MapStrip::clearPointer);
  QObject::connect(&view, &MapView::viewChanged, &strip, &MapStrip::setZoom);
  QObject::connect(&view, &MapView::hiddenCountChanged, &strip, &MapStrip::setHiddenCount);
  QObject::connect(&strip, &MapStrip::fitRequested, &view, &MapView::fit);
  strip.setZoom(view.transform().Scale());
  strip.setHiddenCount(view.hiddenCount());
}
