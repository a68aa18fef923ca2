#include "about/engraved_label.h"

#include <QPainter>

EngravedLabel::EngravedLabel(QWidget* parent) : QWidget(parent) {}

void EngravedLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

void EngravedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  painter.setPen(palette().color(QPalette::Light));
  painter.drawText(rect().translated(1, 1), flags, text_);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawText(rect(), flags, text_);
}
