#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QWidget>
#include <optional>

#include "map/map_backdrop.h"

// A spot on a picture (in the picture's own pixels, y downwards) and the
// game coordinates the user says it stands for.
struct BackdropSpot {
  QPointF pixel;
  double x = 0.0;
  double y = 0.0;
};

// The edges that put two spots of a picture of `size` pixels where the user
// says they are. Nothing when the spots cannot place it: the same pixel row
// or column, equal game X or Y, or a placing that would mirror the picture.
std::optional<BackdropPlace> BackdropEdgesFromSpots(QSize size, const BackdropSpot& first,
                                                    const BackdropSpot& second);

// The picture small, inside the backdrop dialog: a click reports the spot in
// the picture's own pixels; the spots chosen so far are drawn numbered.
class BackdropPreview : public QWidget {
  Q_OBJECT

 public:
  explicit BackdropPreview(QWidget* parent = nullptr);

  // `picture` is the loaded (small) picture, `full_size` its own size; a
  // null picture shows `problem` instead.
  void setPicture(const QImage& picture, QSize full_size, const QString& problem);
  QSize fullSize() const { return full_size_; }
  // Marks spot 1 or 2 (nothing for an empty optional).
  void setSpot(int which, std::optional<QPointF> pixel);
  // Where picture pixel `pixel` is drawn in the widget.
  QPointF widgetPosition(QPointF pixel) const;

 signals:
  void spotClicked(QPointF pixel);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QRectF PictureRect() const;

  QImage picture_;
  QSize full_size_;
  QString problem_;
  std::optional<QPointF> spots_[2];
};
