#include "lettering/shadow_label.h"

#include <QPainter>

#include "lettering/shadow_text.h"

ShadowLabel::ShadowLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {}

void ShadowLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

void ShadowLabel::setAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void ShadowLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  DrawShadowedText(painter, rect().adjusted(1, 1, -1, -1), int(alignment_), text_, palette(),
                   palette().color(QPalette::WindowText), isEnabled());
}
