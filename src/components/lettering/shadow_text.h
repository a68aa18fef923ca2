#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;
class QPalette;

// Raised, shadowed lettering: a light copy up-left, a dark copy down-right,
// then the text itself on top. Disabled text is drawn flat and grey.
void DrawShadowedText(QPainter& painter, const QRect& rect, int flags, const QString& text,
                      const QPalette& palette, QColor text_colour, bool enabled = true);
