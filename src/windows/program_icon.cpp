#include "windows/program_icon.h"

#include <QPixmap>

QIcon ProgramIcon() {
  // The resource lives in lo_windows, a static library: make sure it is registered.
  static const bool registered = [] {
    Q_INIT_RESOURCE(resources);
    return true;
  }();
  (void)registered;
  return QIcon(QPixmap(QStringLiteral(":/rererarovi.xpm")));
}
