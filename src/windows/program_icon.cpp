#include "windows/program_icon.h"

#include <QPixmap>

// The icon's pixels as an XPM array (resources/, drawn by us).
#include "rererarovi.xpm"

QIcon ProgramIcon() {
  // Read from the array, not from a file: loading an image file first loads
  // the image format plugins, which costs the start-up window milliseconds.
  return QIcon(QPixmap(rererarovi_xpm));
}
