#pragma once

#include <QIcon>
#include <QString>

// How the about box shows its picture.
enum class AboutIconStyle {
  Plain,     // the icon as it is, centred
  Extended,  // enlarged, framed, with a drop shadow
};

// Where the about box opens.
enum class AboutPosition {
  ScreenCenter,  // centred on the screen, kept inside it
  Default,       // wherever the window manager puts it
};

// Everything an about box is built from; nothing else feeds its texts.
struct AboutSettings {
  QString caption;
  QString program_name;
  QString version_text;
  QString description;
  QString credits;
  QIcon picture;  // empty: the application's icon
  AboutIconStyle icon_style = AboutIconStyle::Extended;
  int name_size_points = 22;
  AboutPosition position = AboutPosition::ScreenCenter;
};
