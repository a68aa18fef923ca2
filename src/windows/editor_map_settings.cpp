#include "windows/editor_map_settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dialogs/backdrop_dialog.h"
#include "editor/editing_session.h"
#include "map/map_strip.h"
#include "map/map_view.h"
#include "qt_convert.h"
#include "windows/guarded.h"

namespace {

BackdropPlace PlaceOf(const TMapSettings& settings) {
  BackdropPlace place;
  place.file = PathToQString(settings.backdrop);
  place.left = settings.edges.left;
  place.bottom = settings.edges.bottom;
  place.right = settings.edges.right;
  place.top = settings.edges.top;
  place.opacity = settings.opacity;
  return place;
}

}  // namespace

EditorMapSettings::EditorMapSettings(TEditingSession& session, MapView& map, MapStrip& strip,
                                     QObject* parent)
    : QObject(parent),
      session_(session),
      map_(map),
      strip_(strip),
      store_(DefaultMapSettingsPath()) {
  connect(&strip_, &MapStrip::gridStepChosen, this, &EditorMapSettings::GridStepChosen);
  connect(&strip_, &MapStrip::backdropRequested, this, &EditorMapSettings::ChooseBackdrop);
}

void EditorMapSettings::FileChanged() {
  settings_ = {};
  storable_ = false;
  if (session_.Document().IsOpen()) {
    guarded([&] {
      settings_ = store_.Load(session_.Document().Path());
      storable_ = true;
    });
  }
  ApplyGridStep(settings_.grid_step);
  ApplyBackdrop();
}

void EditorMapSettings::ApplyGridStep(double step) {
  map_.setGridStep(step);
  strip_.setGridStep(step);
  session_.View().SetGridStep(step);
}

// Edges that make no picture are named in the strip, as a picture that
// cannot be read is.
void EditorMapSettings::ApplyBackdrop() {
  if (settings_.backdrop.empty()) {
    map_.clearBackdrop();
    return;
  }
  const std::string problem = BackdropEdgesProblem(settings_.edges);
  if (!problem.empty()) {
    map_.clearBackdrop();
    strip_.setBackdropProblem(PathToQString(settings_.backdrop), ToQString(problem));
    return;
  }
  map_.setBackdrop(PlaceOf(settings_));
}

void EditorMapSettings::GridStepChosen(double step) {
  ApplyGridStep(step);
  settings_.grid_step = map_.gridStep();
  Save();
}

void EditorMapSettings::Save() {
  if (!storable_ || !session_.Document().IsOpen()) return;
  guarded([&] { store_.Save(session_.Document().Path(), settings_); });
}

// The current backdrop, or for a first one the extent of the drawn markers.
BackdropPlace EditorMapSettings::StartPlace() const {
  if (!settings_.backdrop.empty()) return PlaceOf(settings_);
  BackdropPlace place;
  double left = std::numeric_limits<double>::infinity();
  double right = -left, bottom = left, top = -left;
  for (const MapPoint& point : map_.points()) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) continue;
    left = std::min(left, point.x);
    right = std::max(right, point.x);
    bottom = std::min(bottom, point.y);
    top = std::max(top, point.y);
  }
  if (left <= right) {
    place.left = left;
    place.right = right;
    place.bottom = bottom;
    place.top = top;
  }
  return place;
}

void EditorMapSettings::ChooseBackdrop() {
  if (!session_.Document().IsOpen()) return;
  BackdropDialog dialog(StartPlace(), !settings_.backdrop.empty(),
                        QLatin1Char(session_.View().DecimalSeparator()), map_.window());
  const BackdropDialogResult result = dialog.execute();
  switch (result.action) {
    case BackdropDialogResult::Action::Cancel:
      return;
    case BackdropDialogResult::Action::Remove:
      settings_.backdrop.clear();
      settings_.edges = {};
      settings_.opacity = kDefaultBackdropOpacity;
      break;
    case BackdropDialogResult::Action::Apply:
      settings_.backdrop = QStringToPath(result.place.file).string();
      settings_.edges = {result.place.left, result.place.bottom, result.place.right,
                         result.place.top};
      settings_.opacity = result.place.opacity;
      break;
  }
  ApplyBackdrop();
  Save();
}
