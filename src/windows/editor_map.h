#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include "editor/editor_view.h"

class EditorMapSettings;
class MapStrip;
class MapView;
class QWidget;
class TEditingSession;

// The map of the open Lo file in the editor window's reserved area. It shows
// the records while a file is open (the placeholder otherwise), keeps up with
// every change of the view, and turns marker clicks, drags and nudges into
// editor operations. It holds no data: each change rebuilds the points from
// the editor.
class EditorMap : public QObject {
  Q_OBJECT

 public:
  // `placeholder` is the panel the map replaces while a file is open; the map
  // takes its geometry, the strip `strip_area`.
  EditorMap(TEditingSession& session, QWidget* placeholder, const QRect& strip_area);

  MapView* View() const { return map_; }
  MapStrip* Strip() const { return strip_; }

  // A view member changed (the presenter passes every change on). Typed X,
  // Y and R move the selected marker live; another file open is shown whole.
  void Present(TViewMember member);
  void ApplyLocaleSeparator();
  // A catalogue row (at `position` among the rows its list shows) dragged out
  // of its list and released at `global`: on the map it appends a record of
  // that entry there; elsewhere nothing happens.
  void DropCatalogueRow(int position, QPoint global);

 private:
  void Rebuild();
  void ShowArrayPreview();
  void TextTyped(TField field);
  void PointClicked(int index);
  void PointDragged(int index, double x, double y);
  void PointNudged(int index, double dx, double dy);
  void GroupMoved(double dx, double dy);
  void GroupTurned(double degrees);

  TEditingSession& session_;
  QWidget* placeholder_;
  MapView* map_ = nullptr;
  MapStrip* strip_ = nullptr;
  EditorMapSettings* settings_ = nullptr;  // a child of this
};
