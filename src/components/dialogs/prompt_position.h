#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a prompt of `promptSize` opens over the window `active` (frame
// rectangle) on `screen`: centred over the window, offsets halved with the
// fraction dropped toward zero; when it would reach past the screen's right
// (bottom) edge, its right (bottom) edge lines up with the window's instead;
// a negative left or top becomes 0.
QPoint PromptPosition(const QRect& active, const QSize& promptSize, const QRect& screen);
