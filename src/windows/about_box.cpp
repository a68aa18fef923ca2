#include "windows/about_box.h"

#include <QCursor>
#include <QPointer>

#include "components/about_dialog.h"
#include "components/explode_geometry.h"
#include "components/qt_convert.h"
#include "platform/system_info.h"

namespace {

AboutSystemTexts HostSystemTexts() {
  const SystemFacts facts = HostSystemInfo().Read();
  return {ToQString(SystemInfoCaptions()), ToQString(SystemInfoValues(facts))};
}

void PlayExplode(const QRect& frame, const QPoint& pointer) {
  const std::vector<QRect> outlines = ExplodeOutlines(frame, pointer);
  // OUTLINE-EFFECT CALL SITE: draw `outlines` twice (trail, then erase) with
  // the overlay outline effect once it is available.
  (void)outlines;
}

}  // namespace

AboutSettings LoAboutSettings() {
  AboutSettings settings;
  settings.caption = QStringLiteral("About the Ri Dizo Rirori");
  settings.program_name = QStringLiteral("Orvo Lo File Data Editor");
  settings.version_text = QStringLiteral("Version: 2  Build:1");
  settings.description = QStringLiteral("A fine little tool for editing Orvo Lo files.");
  settings.credits = QStringLiteral("Written for the players who build Orvo's worlds.");
  settings.picture = QIcon(QStringLiteral(":/rererarovi.xpm"));
  settings.icon_style = AboutIconStyle::kExtended;
  settings.name_size_points = 22;
  settings.position = AboutPosition::kScreenCenter;
  return settings;
}

void ShowAbout(QWidget* parent, const AboutSettings& settings) {
  // The parent may go away while the box runs; then Qt deletes the box.
  QPointer<AboutDialog> dialog = new AboutDialog(settings, HostSystemTexts(), parent);
  const QRect frame = dialog->PlaceOnScreen();
  PlayExplode(frame, QCursor::pos());
  dialog->exec();
  delete dialog.data();
}
