#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "about/about_settings.h"

// The about box's geometry, in pixels of the client area. The box does not
// scale with the screen resolution.

// The window is 440 pixels wide on the desktop the layout was drawn for; the
// dialog frame takes 3 pixels on each side, which leaves this client width.
inline constexpr int kAboutClientWidth = 434;
inline constexpr int kAboutTextLeft = 128;  // picture's right edge plus 8
inline constexpr int kAboutRightMargin = 6;
inline constexpr int kAboutNameTop = 24;
inline constexpr int kAboutTextTopMin = 112;  // the picture's bottom
inline constexpr int kAboutSeparatorHeight = 2;
inline constexpr int kAboutValuesGap = 8;  // between caption and value columns
inline constexpr QSize kAboutButtonSize{75, 25};
inline constexpr QRect kAboutPictureRect{15, 7, 105, 105};

struct AboutFonts {
  QFont dialog;  // "MS Sans Serif", 11 pixels
  QFont bold;    // the dialog font, bold
  QFont name;    // "Arial", bold, the name size in points at 96 dots per inch

  static AboutFonts fromSettings(const AboutSettings& settings);
};

// The two-line system information, each line pair joined by '\r'.
struct AboutSystemTexts {
  QString captions;
  QString values;
};

struct AboutLayout {
  QSize client;
  QRect picture;
  QRect name;
  QRect version;
  QRect description;
  QRect credits;
  QRect separator;
  QRect captions;
  QRect values;
  QRect ok_button;
};

// Places the entries top to bottom in the text column; texts wrap at the
// column's width and each entry is as tall as its wrapped text.
AboutLayout ComputeAboutLayout(const AboutSettings& settings, const AboutSystemTexts& system,
                               const AboutFonts& fonts);

// '\r' line breaks (the desktop's convention) as Qt's '\n'.
QString WithNewlines(QString text);
