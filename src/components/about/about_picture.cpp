#include "about/about_picture.h"

#include <QPainter>

QImage ExtendedIconSquare(const QPixmap& icon, const QColor& face) {
  const int side = 2 * kAboutIconSide + 8;
  const int framed = side - kAboutShadowOffset;  // frame plus icon
  QImage square(side, side, QImage::Format_RGB32);
  square.fill(face);
  QPainter painter(&square);
  painter.fillRect(kAboutShadowOffset, kAboutShadowOffset, framed, framed, QColor(128, 128, 128));
  painter.fillRect(0, 0, framed, framed, Qt::black);
  const QRect inside(1, 1, framed - 2, framed - 2);
  painter.fillRect(inside, face);  // under a transparent icon pixel
  painter.drawPixmap(inside, icon);
  return square;
}

QPixmap ExtendedAboutPicture(const QPixmap& icon, const QColor& face) {
  const QImage square = ExtendedIconSquare(icon, face);
  return QPixmap::fromImage(square.scaled(kAboutPictureSide, kAboutPictureSide,
                                          Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QPixmap PlainAboutPicture(const QPixmap& icon, const QColor& face) {
  QPixmap picture(kAboutPictureSide, kAboutPictureSide);
  picture.fill(face);
  QPainter painter(&picture);
  painter.drawPixmap((kAboutPictureSide - icon.width()) / 2,
                     (kAboutPictureSide - icon.height()) / 2, icon);
  return picture;
}
