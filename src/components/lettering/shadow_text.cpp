#include "lettering/shadow_text.h"

#include <QPainter>
#include <QPalette>

void DrawShadowedText(QPainter& painter, const QRect& rect, int flags, const QString& text,
                      const QPalette& palette, QColor text_colour, bool enabled) {
  painter.save();
  if (!enabled) {
    painter.setPen(palette.color(QPalette::Light));
    painter.drawText(rect.translated(1, 1), flags, text);
    painter.setPen(palette.color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect, flags, text);
    painter.restore();
    return;
  }
  painter.setPen(palette.color(QPalette::Light));
  painter.drawText(rect.translated(-1, -1), flags, text);
  painter.setPen(palette.color(QPalette::Dark));
  painter.drawText(rect.translated(1, 1), flags, text);
  painter.setPen(text_colour);
  painter.drawText(rect, flags, text);
  painter.restore();
}
