#include "windows/about_box.h"

#include <QCursor>
#include <QPointer>

#include "about/about_dialog.h"
#include "effects/explode_geometry.h"
#include "effects/outline_effect.h"
#include "platform/system_info.h"
#include "qt_convert.h"
#include "windows/program_icon.h"

namespace {

AboutSystemTexts SystemTexts(const SystemInfoSource& system) {
  const SystemFacts facts = system.Read();
  return {ToQString(SystemInfoCaptions()), ToQString(SystemInfoValues(facts))};
}

// Draws the trail, then the same outlines again to take it away.
void PlayExplode(const QRect& frame, const QPoint& pointer) {
  if (!OutlineEffect::isAvailable()) return;
  OutlineEffect::play(ExplodeOutlines(frame, pointer));
}

}  // namespace

AboutSettings LoAboutSettings() {
  AboutSettings settings;
  settings.caption = QStringLiteral("About the Ri Dizo Rirori");
  settings.program_name = QStringLiteral("Orvo Lo File Data Editor");
  settings.version_text = QStringLiteral("Version: 2  Build:1");
  settings.description = QStringLiteral("A fine little tool for editing Orvo Lo files.");
  settings.credits = QStringLiteral("Written for the players who build Orvo's worlds.");
  settings.picture = ProgramIcon();
  settings.icon_style = AboutIconStyle::Extended;
  settings.name_size_points = 22;
  settings.position = AboutPosition::ScreenCenter;
  return settings;
}

void ShowAbout(QWidget* parent, const AboutSettings& settings) {
  ShowAbout(parent, settings, HostSystemInfo());
}

void ShowAbout(QWidget* parent, const AboutSettings& settings, const SystemInfoSource& system) {
  // The parent may go away while the box runs; then Qt deletes the box.
  QPointer<AboutDialog> dialog = new AboutDialog(settings, SystemTexts(system), parent);
  const QRect frame = dialog->placeOnScreen();
  PlayExplode(frame, QCursor::pos());
  dialog->exec();
  delete dialog.data();
}
