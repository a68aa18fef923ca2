#include "lettering/gradient_label.h"

#include <QPainter>

#include "lettering/shadow_text.h"

GradientLabel::GradientLabel(const QString& text, QColor top, QColor bottom, int steps,
                             QWidget* parent)
    : QWidget(parent), text_(text), top_(top), bottom_(bottom), steps_(steps < 1 ? 1 : steps) {}

QColor GradientLabel::bandColor(int index) const {
  if (steps_ == 1) return top_;
  auto mix = [&](int a, int b) { return a + (b - a) * index / (steps_ - 1); };
  return QColor(mix(top_.red(), bottom_.red()), mix(top_.green(), bottom_.green()),
                mix(top_.blue(), bottom_.blue()));
}

void GradientLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int i = 0; i < steps_; ++i) {
    const int y0 = height() * i / steps_;
    const int y1 = height() * (i + 1) / steps_;
    painter.fillRect(0, y0, width(), y1 - y0, bandColor(i));
  }
  painter.setFont(font());
  DrawShadowedText(painter, rect().adjusted(4, 4, -4, -4),
                   Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap, text_, palette(),
                   palette().color(QPalette::WindowText), isEnabled());
}
