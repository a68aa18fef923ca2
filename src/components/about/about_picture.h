#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>

// The about box's picture in its "extended" style: the icon enlarged on a
// button-face square with a black frame and a grey drop shadow.

inline constexpr int kAboutIconSide = 32;  // the desktop's large icon size
inline constexpr int kAboutShadowOffset = 6;
inline constexpr int kAboutPictureSide = 105;

// Square of side 2 * icon side + 8 in `face`: a grey (128, 128, 128) square
// offset by 6 pixels, over it a 1-pixel black frame around the icon stretched
// to the rest (twice its size for a 32-pixel icon).
QImage ExtendedIconSquare(const QPixmap& icon, const QColor& face);

// The extended square stretched to 105 x 105.
QPixmap ExtendedAboutPicture(const QPixmap& icon, const QColor& face);

// The plain style: the icon unscaled, centred on a 105 x 105 face square.
QPixmap PlainAboutPicture(const QPixmap& icon, const QColor& face);
