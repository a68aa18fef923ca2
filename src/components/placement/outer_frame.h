#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

// A top-level window's outer frame: its client area and the decoration the
// window manager draws around it. What users see centred or placed is the
// frame, but the decoration is only known once the window manager has framed
// the window; before that it is estimated from windows of the same kind
// (fixed-size or resizable) that were framed before.

// The decoration's thickness on each side: the real one once the window is
// framed, else the estimate (null when nothing is known yet).
QMargins DecorationOf(const QWidget& window);
// The decoration a window of the kind (fixed-size or resizable) gets, as
// learnt from windows framed so far; null when none has been.
QMargins LearnedDecoration(bool fixed_size);
// Remembers the decoration a window got in the normal state when it was
// first framed, for the next window of its kind. (A maximised window, or one
// changing state, often shows another decoration: those do not count.)
void LearnDecoration(const QWidget& window, const QMargins& decoration);
// True once the window manager has framed the window (it is visible and its
// decoration is known).
bool IsFramed(const QWidget& window);

// The outer frame at the window's current position (estimated before the
// window is framed).
QRect OuterFrame(const QWidget& window);

// Gives the window the client rectangle whose outer frame is `frame`.
void SetOuterFrame(QWidget& window, const QRect& frame, const QMargins& decoration);

// Runs `framed` once, with the real decoration, when the window manager has
// framed the window (at once when it already is).
void WhenFramed(QWidget& window, std::function<void(const QMargins& decoration)> framed);

// Where an outer frame of a given size goes.
using FramePosition = std::function<QPoint(const QSize& frame)>;

// Puts the window's outer frame where `position` says. A window not framed
// yet is placed with the estimated decoration and placed again once it is
// framed, should the real decoration differ.
void PlaceOuterFrame(QWidget& window, FramePosition position);

// The top-left corner of a frame of `frame` size centred on `area` (halves
// rounded toward the top left), then moved inside it; a frame larger than the
// area keeps its top-left corner visible.
QPoint CentredInside(const QSize& frame, const QRect& area);

// Centres the window's outer frame on its screen's available area: the one
// rule for every window and box the program centres.
void CentreOnScreen(QWidget& window);
