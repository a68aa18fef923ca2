#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// The "explode" opening of a dialog: a small outline travels from the mouse
// pointer to below the dialog, then grows into the dialog's frame.

inline constexpr int kExplodeTravelSteps = 40;
inline constexpr int kExplodeGrowSteps = 40;
inline constexpr int kExplodeStartWidth = 20;
inline constexpr int kExplodeStartHeight = 10;

// The 80 outlines, in drawing order: 40 of the travel from `pointer` to the
// point halfway between the pointer and the frame's left edge, at the frame's
// bottom; then 40 growing from there to the whole `frame`. Step i of a phase
// lies i/40 of the way; every coordinate and size is rounded to the nearest
// pixel (halves up). Drawing the list once leaves a trail, drawing it again
// with an inverting pen erases it.
QList<QRect> ExplodeOutlines(const QRect& frame, const QPoint& pointer);
