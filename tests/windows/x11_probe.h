#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

// What the X server and the window manager say about a window, read with
// the x11-utils tools, so the checks do not rest on Qt's own bookkeeping.

// True when the tests run on X11 (the xcb platform) under a window manager.
bool UnderWindowManager();

// The values of an X property of `window` ("_NET_WM_ALLOWED_ACTIONS"), as
// xprop lists them; empty when the property is not set.
QStringList PropertyValues(const QWidget& window, const char* property);

// The outer frame the window manager gives `window`: its client area as the
// X server places it, grown by _NET_FRAME_EXTENTS. Null before it is framed.
QRect MeasuredFrame(const QWidget& window);

// Waits until the window manager has framed `window` and its frame has kept
// still for a moment; false on a timeout.
bool WaitUntilFramed(const QWidget& window);
