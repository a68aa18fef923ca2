#pragma once

#include <QList>
#include <QPoint>
#include <QWidget>
#include <optional>
#include <vector>

#include "map/map_backdrop.h"
#include "map/map_gesture.h"
#include "map/map_overlay.h"
#include "map/map_painter.h"
#include "map/map_point.h"
#include "map/map_tools.h"
#include "map/map_transform.h"

// A top-down map of points on a maroon-to-black gradient with a labelled
// grid. It knows nothing of what the points stand for: it draws them, shows
// their tool tips, and reports what the user does to them in world units.
//
// Mouse: a click on a marker reports it (the top one; clicking the same spot
// again goes on to the next marker under it); dragging a marker moves it with
// the pointer and reports the drop (Esc puts it back and reports nothing); a
// drag that starts on the selected marker always moves that one;
// dragging empty space pans; the wheel zooms about the pointer.
// Keys: arrows nudge the selected marker by one unit (Shift: ten), Home fits.
// The view changes only through the user or fit(): new points keep it.
//
// A group (setGroup) is drawn like the selected marker. Shift+click on a
// marker reports it to be added or taken out (pointToggled); Shift+drag on
// empty space draws a rectangle and reports it on release (areaSelected).
// With two or more markers in the group, dragging one of them moves the
// whole group and the arrows nudge it (groupMoved); Esc cancels a drag, and
// without one asks for the group's end (groupCleared).
//
// A backdrop (setBackdrop) is a picture drawn under the grid and the markers
// at the world edges it is given; a picture that cannot be had is reported
// (backdropProblemChanged) and the map works on without it.
// With a grid step (setGridStep), a dragged marker lands on multiples of it
// (Alt held during the drag turns that off for the drag) and the arrows move
// to the next multiple.
// The selected marker's direction line ends in a round handle: dragging it
// turns the marker towards the pointer (pointTurning while dragging,
// pointTurned on release; Shift snaps to 15 degrees; Esc cancels and reports
// turnCancelled). When the selected marker belongs to a group of two or
// more, the handle turns the whole group about the middle of its extent and
// reports the angle turned on release (groupTurned).
// While a marker or group is dragged or turned, dragMotion and turnMotion
// tell how far; motionEnded when it is over.
// The context menu's "Paste Here" reports where it was opened (pasteHereRequested),
// its "Backdrop…" that the user asks for the backdrop's dialog (backdropRequested).
// For screen readers the map is a picture whose description follows the
// selected marker (its tool tip: what and where it is) and the group's size.
// The gestures themselves are MapTools': the view hands them the pointer and
// the keys, passes their reports on as signals, paints and translates.
class MapView : public QWidget, private MapReports {
  Q_OBJECT

 public:
  explicit MapView(QWidget* parent = nullptr);

  void setPoints(std::vector<MapPoint> points);
  const std::vector<MapPoint>& points() const { return state_.points; }
  // Moves one point without touching the others (live typing).
  void setPointPosition(int index, double x, double y);

  // -1 for none; an index without a point reads -1.
  void setSelected(int index);
  int selected() const { return state_.selected; }

  // The markers selected together; indices without a point are left out.
  void setGroup(const std::vector<int>& indices);
  int groupSize() const { return state_.group_size; }

  // The world position under a point of the widget.
  WorldPoint worldAt(QPointF position) const;
  // Where a row of another list let go at `global` lands on the map, if on it.
  std::optional<WorldPoint> dropPoint(QPoint global) const;

  // Points whose X or Y is NaN or infinite: they are not drawn.
  int hiddenCount() const { return hidden_; }

  void setDecimalSeparator(QChar separator);

  // Reads the picture at once; backdropProblemChanged tells how that went.
  void setBackdrop(const BackdropPlace& place);
  void clearBackdrop();
  const MapBackdrop& backdrop() const { return backdrop_; }

  // World units; 0 turns snapping off. Negative or non-finite steps read 0.
  void setGridStep(double step);
  double gridStep() const { return state_.grid_step; }

  // Where the selected marker's turning handle is, if it has one.
  std::optional<QPointF> turnHandlePosition() const;
  bool isTurning() const { return tools_.Turning(); }
  const MapTransform& transform() const { return state_.transform; }
  // Where point `index` is on the widget (only meaningful for a finite point).
  QPointF screenPosition(int index) const;
  bool isDragging() const { return tools_.Dragging(); }
  // Whether the context menu's "Paste Here" can be chosen (not at first).
  void setPasteHereEnabled(bool enabled) { paste_here_enabled_ = enabled; }
  // Faint markers of what is about to be placed (empty: none).
  void setPreview(std::vector<MapPoint> points);
  const std::vector<MapPoint>& preview() const { return preview_; }
  // While on, a left click anywhere only reports where (pointPicked).
  void setPickingPoint(bool picking);
  bool pickingPoint() const { return state_.picking_point; }
  // Items the context menu offers after its own, below a separator.
  void setContextActions(QList<QAction*> actions) { context_actions_ = std::move(actions); }
  bool pasteHereEnabled() const { return paste_here_enabled_; }
  // Marks over the markers, as a comparison draws them (empty: none); Esc
  // on the map then asks for their end (overlayEndRequested).
  void setOverlay(MapOverlay overlay);
  const MapOverlay& overlay() const { return overlay_; }

 public slots:
  // Shows every drawn point with a margin.
  void fit();

 signals:
  // A left click while picking a point, at world position (x, y).
  void pointPicked(double x, double y);
  void pointClicked(int index);
  void pointDragged(int index, double x, double y);
  void pointNudged(int index, double dx, double dy);
  void pointToggled(int index);
  void areaSelected(double x0, double y0, double x1, double y1);
  void groupMoved(double dx, double dy);
  void groupCleared();
  void pointerMoved(double x, double y);
  void pointerLeft();
  // The scale (pixels per world unit) after a zoom, pan or fit.
  void viewChanged(double scale);
  void hiddenCountChanged(int count);
  // The backdrop's file and why it is not drawn; an empty reason when it is
  // drawn, both empty when the backdrop was cleared.
  void backdropProblemChanged(const QString& file, const QString& reason);
  // The selected marker turned by its handle to `angle` degrees in [0, 360),
  // two decimals: live while dragging, and once more on release.
  void pointTurning(int index, double angle);
  void pointTurned(int index, double angle);
  // Esc or a lost focus ended a turn: whatever pointTurning set goes back.
  void turnCancelled(int index);
  // The group turned by its handle, in degrees in (-180, 180], about the
  // middle of its members' extent; reported on release.
  void groupTurned(double degrees);
  // How far the dragged marker or group has come from where it was, live.
  void dragMotion(double dx, double dy);
  // The angle a handle drag sets (one marker) or turns by (a group), live.
  void turnMotion(double degrees);
  void motionEnded();
  // "Paste Here" on the context menu opened at world position (x, y).
  void pasteHereRequested(double x, double y);
  // "Backdrop…" on the context menu.
  void backdropRequested();
  // Esc while an overlay is shown and nothing else is to be cancelled.
  void overlayEndRequested();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Report(const MapReport& report) override;
  MapPointer Pointer(const QPointF& position, Qt::KeyboardModifiers modifiers) const;
  MapScene Scene() const;
  void DescribeSelection();
  void ReportPointer(QPointF position);
  void ReportBackdrop();
  void ZoomAbout(QPointF anchor, double factor);

  MapState state_;
  MapTools tools_{state_, *this};
  MapOverlay overlay_;
  int hidden_ = 0;
  QChar separator_ = u'.';
  std::vector<MapPoint> preview_;
  QList<QAction*> context_actions_;
  MapBackdrop backdrop_;
  QString reported_problem_;
  bool paste_here_enabled_ = false;
};
