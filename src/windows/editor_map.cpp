#include "windows/editor_map.h"

#include <QWidget>
#include <vector>

#include "editor/editing_session.h"
#include "editor/map_points.h"
#include "editor/number_text.h"
#include "map/map_strip.h"
#include "map/map_view.h"
#include "qt_convert.h"
#include "windows/editor_map_settings.h"
#include "windows/guarded.h"

EditorMap::EditorMap(TEditingSession& session, QWidget* placeholder, const QRect& strip_area)
    : QObject(placeholder), session_(session), placeholder_(placeholder) {
  QWidget* parent = placeholder->parentWidget();
  map_ = new MapView(parent);
  map_->setObjectName(QStringLiteral("LoMap"));
  map_->setGeometry(placeholder->geometry());
  map_->hide();
  strip_ = new MapStrip(parent);
  strip_->setObjectName(QStringLiteral("LoMapStrip"));
  strip_->setGeometry(strip_area);
  strip_->hide();
  ConnectMapStrip(*map_, *strip_);
  connect(map_, &MapView::pointClicked, this, &EditorMap::PointClicked);
  connect(map_, &MapView::pointDragged, this, &EditorMap::PointDragged);
  connect(map_, &MapView::pointNudged, this, &EditorMap::PointNudged);
  connect(map_, &MapView::pointToggled, this,
          [this](int index) { guarded([&] { session_.Placing().ToggleInMapGroup(index); }); });
  connect(map_, &MapView::areaSelected, this, [this](double x0, double y0, double x1, double y1) {
    guarded([&] { session_.Placing().AddAreaToMapGroup({x0, y0, x1, y1}); });
  });
  connect(map_, &MapView::groupMoved, this, &EditorMap::GroupMoved);
  connect(map_, &MapView::groupCleared, this, [this] { session_.Placing().ClearMapGroup(); });
  // The handle types R as the user would; Esc puts back what it was.
  connect(map_, &MapView::pointTurning, this, [this](int, double angle) {
    guarded([&] { session_.Placing().TurnShownRecord(angle); });
  });
  connect(map_, &MapView::pointTurned, this, [this](int, double angle) {
    guarded([&] { session_.Placing().TurnShownRecord(angle); });
    session_.Placing().FinishTurn();
  });
  connect(map_, &MapView::turnCancelled, this, [this] { session_.Placing().CancelTurn(); });
  connect(map_, &MapView::groupTurned, this, &EditorMap::GroupTurned);

  settings_ = new EditorMapSettings(session_, *map_, *strip_, this);
  connect(map_, &MapView::backdropRequested, settings_, &EditorMapSettings::ChooseBackdrop);
  ApplyLocaleSeparator();
}

void EditorMap::Present(TViewMember member) {
  switch (member.aspect) {
    case TAspect::Text:
      if (member.field == TField::X || member.field == TField::Y || member.field == TField::R) {
        Rebuild();
      }
      break;
    case TAspect::ContentsRows:
    case TAspect::SelectedRow:
    case TAspect::CatalogueRows:
    case TAspect::MapGroup:
    case TAspect::RecordValues:
      Rebuild();
      break;
    case TAspect::OpenFileChanged:
      Rebuild();
      map_->fit();
      settings_->FileChanged();  // after the fit: a backdrop is read at the size shown
      break;
    case TAspect::TypedText:
      TextTyped(member.field);
      break;
    case TAspect::ArrayPreview:
      ShowArrayPreview();
      break;
    default:
      break;
  }
}

// While the text is no number (half typed, say) the marker stays where it is.
void EditorMap::TextTyped(TField field) {
  if (field != TField::X && field != TField::Y && field != TField::R) return;
  if (TryParseFloat(session_.View().Text(field), session_.View().DecimalSeparator())) Rebuild();
}

// Faint markers where "Array..." would put its copies.
void EditorMap::ShowArrayPreview() {
  std::vector<MapPoint> points;
  for (const TLoRecord& copy : session_.View().ArrayPreview()) {
    points.push_back({copy.x, copy.y, copy.r, copy.object_class, {}});
  }
  map_->setPreview(std::move(points));
}

void EditorMap::ApplyLocaleSeparator() {
  const QChar separator(QLatin1Char(session_.View().DecimalSeparator()));
  map_->setDecimalSeparator(separator);
  strip_->setDecimalSeparator(separator);
  Rebuild();
}

// With no file open the reserved area keeps its placeholder.
void EditorMap::Rebuild() {
  const bool open = session_.Document().IsOpen();
  placeholder_->setVisible(!open);
  map_->setVisible(open);
  strip_->setVisible(open);
  if (!open) return;

  const TEditorView& view = session_.View();
  std::vector<MapPoint> points;
  for (const TMapRecordPoint& record : MapRecordPoints(session_.Document(), session_.Catalogue(),
                                                       view, session_.View().DecimalSeparator())) {
    points.push_back(
        {record.x, record.y, record.r, record.object_class, BytesToQString(record.tip)});
  }
  map_->setPoints(std::move(points));
  map_->setSelected(view.SelectedRow());
  map_->setGroup(view.MapGroup());
  strip_->setGroupSize(static_cast<int>(view.MapGroup().size()));
  std::vector<MapLegendEntry> legend;
  for (const TMapLegendItem& item : MapLegendItems(session_.Document(), session_.Catalogue())) {
    legend.push_back({item.object_class, BytesToQString(item.text)});
  }
  strip_->setLegend(std::move(legend));
}

// A marker click is a row click: the same selection, the same ShowRecord.
void EditorMap::PointClicked(int index) {
  guarded([&] { session_.Placing().ChooseRecord(index); });
}

void EditorMap::PointDragged(int index, double x, double y) {
  if (index == session_.View().SelectedRow()) {
    guarded([&] { session_.Placing().MoveSelectedRecord(x, y); });
  }
  Rebuild();  // a refused move puts the marker back
}

// A refused or failed move puts the markers back where the file has them.
void EditorMap::GroupMoved(double dx, double dy) {
  guarded([&] { session_.Placing().MoveMapGroup(dx, dy); });
  Rebuild();
}

// A refused or failed turn puts the markers back where the file has them.
void EditorMap::GroupTurned(double degrees) {
  guarded([&] { session_.Placing().TurnMapGroup(degrees); });
  Rebuild();
}

void EditorMap::DropCatalogueRow(int position, QPoint global) {
  const int entry = session_.View().FileRow(TList::Catalogue, position);
  if (!map_->isVisible()) return;
  const std::optional<WorldPoint> world = map_->dropPoint(global);
  if (!world) return;
  guarded([&] { session_.Placing().DropCatalogueEntry(entry, world->x, world->y); });
}

void EditorMap::PointNudged(int index, double dx, double dy) {
  if (index < 0 || index >= static_cast<int>(map_->points().size())) return;
  const MapPoint& at = map_->points()[static_cast<std::size_t>(index)];
  PointDragged(index, at.x + dx, at.y + dy);
}
