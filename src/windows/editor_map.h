#pragma once

#include <QObject>
#include <QRect>

#include "editor/editor_view.h"

class MapStrip;
class MapView;
class QWidget;
class RecordEditor;

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
  EditorMap(RecordEditor& editor, QWidget* placeholder, const QRect& strip_area);

  MapView* View() const { return map_; }
  MapStrip* Strip() const { return strip_; }

  // A view member changed (the window's listener passes every change on).
  void Present(TViewMember member);
  // The user typed into a field: X, Y and R move the selected marker live.
  void TextEdited(TField field);
  // After "Open a Lo File": the map shows the whole new file.
  void FitAfterOpen();
  void ApplyLocaleSeparator();

 private:
  void Rebuild();
  void PointClicked(int index);
  void PointDragged(int index, double x, double y);
  void PointNudged(int index, double dx, double dy);

  RecordEditor& editor_;
  QWidget* placeholder_;
  MapView* map_ = nullptr;
  MapStrip* strip_ = nullptr;
};
