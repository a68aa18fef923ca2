#include "dialogs/backdrop_preview.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

std::optional<BackdropPlace> BackdropEdgesFromSpots(QSize size, const BackdropSpot& first,
                                                    const BackdropSpot& second) {
  const double pixels_x = second.pixel.x() - first.pixel.x();
  const double pixels_y = first.pixel.y() - second.pixel.y();  // pixel rows grow downwards
  if (size.isEmpty() || pixels_x == 0.0 || pixels_y == 0.0) return std::nullopt;
  const double per_pixel_x = (second.x - first.x) / pixels_x;
  const double per_pixel_y = (second.y - first.y) / pixels_y;
  // Equal game values give no scale; opposite signs would mirror the picture.
  if (!(per_pixel_x > 0.0) || !(per_pixel_y > 0.0) || !std::isfinite(per_pixel_x) ||
      !std::isfinite(per_pixel_y)) {
    return std::nullopt;
  }
  BackdropPlace place;
  place.left = first.x - first.pixel.x() * per_pixel_x;
  place.right = place.left + size.width() * per_pixel_x;
  place.top = first.y + first.pixel.y() * per_pixel_y;
  place.bottom = place.top - size.height() * per_pixel_y;
  const double edges[] = {place.left, place.right, place.top, place.bottom};
  for (double edge : edges) {
    if (!std::isfinite(edge)) return std::nullopt;
  }
  return place;
}

BackdropPreview::BackdropPreview(QWidget* parent) : QWidget(parent) {
  setMinimumSize(240, 160);
  setCursor(Qt::CrossCursor);
}

void BackdropPreview::setPicture(const QImage& picture, QSize full_size, const QString& problem) {
  picture_ = picture;
  full_size_ = picture.isNull() ? QSize() : full_size;
  problem_ = problem;
  spots_[0].reset();
  spots_[1].reset();
  update();
}

void BackdropPreview::setSpot(int which, std::optional<QPointF> pixel) {
  if (which < 1 || which > 2) return;
  spots_[which - 1] = pixel;
  update();
}

// The picture fitted into the widget, keeping its proportions, centred.
QRectF BackdropPreview::PictureRect() const {
  if (picture_.isNull() || full_size_.isEmpty()) return {};
  const double scale =
      std::min(double(width()) / full_size_.width(), double(height()) / full_size_.height());
  const QSizeF shown(full_size_.width() * scale, full_size_.height() * scale);
  return QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

QPointF BackdropPreview::widgetPosition(QPointF pixel) const {
  const QRectF rect = PictureRect();
  if (rect.isEmpty()) return {};
  return rect.topLeft() + QPointF(pixel.x() * rect.width() / full_size_.width(),
                                  pixel.y() * rect.height() / full_size_.height());
}

void BackdropPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().dark());
  const QRectF target = PictureRect();
  if (target.isEmpty()) {
    painter.setPen(palette().color(QPalette::BrightText));
    painter.drawText(rect().adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWordWrap, problem_);
    return;
  }
  painter.drawImage(target, picture_);
  painter.setRenderHint(QPainter::Antialiasing, true);
  for (int i = 0; i < 2; ++i) {
    if (!spots_[i]) continue;
    const QPointF at = widgetPosition(*spots_[i]);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawEllipse(at, 5, 5);
    painter.setPen(QPen(Qt::yellow, 1.5));
    painter.drawEllipse(at, 5, 5);
    painter.drawText(at + QPointF(7, -7), QString::number(i + 1));
  }
}

void BackdropPreview::mousePressEvent(QMouseEvent* event) {
  const QRectF target = PictureRect();
  if (event->button() != Qt::LeftButton || !target.contains(event->position())) return;
  const QPointF in = event->position() - target.topLeft();
  emit spotClicked(QPointF(in.x() * full_size_.width() / target.width(),
                           in.y() * full_size_.height() / target.height()));
}
