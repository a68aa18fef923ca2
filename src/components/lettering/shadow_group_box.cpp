#include "lettering/shadow_group_box.h"

#include <QFontMetrics>
#include <QPainter>

#include "lettering/shadow_text.h"

ShadowGroupBox::ShadowGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void ShadowGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const int caption_height = metrics.height();
  // Inset frame: dark line outside, light line inside, starting at the caption's middle.
  QRect frame = rect().adjusted(0, caption_height / 2, -1, -1);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.adjusted(1, 1, 0, 0));

  const QString caption = title();
  const int caption_width = metrics.horizontalAdvance(caption) + 8;
  QRect caption_rect((width() - caption_width) / 2, 0, caption_width, caption_height);
  painter.fillRect(caption_rect, palette().color(QPalette::Window));
  painter.setFont(font());
  DrawShadowedText(painter, caption_rect, Qt::AlignCenter, caption, palette(),
                   palette().color(QPalette::WindowText), isEnabled());
}
