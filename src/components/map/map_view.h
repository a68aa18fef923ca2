#pragma once

#include <QPoint>
#include <QWidget>
#include <vector>

#include "map/map_painter.h"
#include "map/map_point.h"
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
// For screen readers the map is a picture whose description follows the
// selected marker (its tool tip: what and where it is) and the group's size.
class MapView : public QWidget {
  Q_OBJECT

 public:
  explicit MapView(QWidget* parent = nullptr);

  void setPoints(std::vector<MapPoint> points);
  const std::vector<MapPoint>& points() const { return points_; }
  // Moves one point without touching the others (live typing).
  void setPointPosition(int index, double x, double y);

  // -1 for none; an index without a point reads -1.
  void setSelected(int index);
  int selected() const { return selected_; }

  // The markers selected together; indices without a point are left out.
  void setGroup(const std::vector<int>& indices);
  int groupSize() const { return group_size_; }

  // The world position under a point of the widget.
  WorldPoint worldAt(QPointF position) const;

  // Points whose X or Y is NaN or infinite: they are not drawn.
  int hiddenCount() const { return hidden_; }

  void setDecimalSeparator(QChar separator);
  const MapTransform& transform() const { return transform_; }
  // Where point `index` is on the widget (only meaningful for a finite point).
  QPointF screenPosition(int index) const;
  bool isDragging() const { return drag_ == Drag::Marker || drag_ == Drag::Group; }

 public slots:
  // Shows every drawn point with a margin.
  void fit();

 signals:
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

 private:
  enum class Drag { None, Pressed, Marker, Group, Pan, Area };

  MapScene Scene() const;
  void DescribeSelection();
  int ChooseAt(QPointF position) const;
  int DragTargetAt(QPointF position) const;
  void CancelDrag();
  void ReportPointer(QPointF position);
  bool MovesGroup(int index) const;

  std::vector<MapPoint> points_;
  int selected_ = -1;
  int hidden_ = 0;
  QChar separator_ = u'.';
  MapTransform transform_;

  Drag drag_ = Drag::None;
  int pressed_marker_ = -1;
  QPoint press_position_;
  QPoint last_position_;
  WorldPoint grab_offset_;
  WorldPoint drag_to_;
  WorldPoint press_world_;
  WorldPoint group_offset_;
  std::vector<bool> group_;
  int group_size_ = 0;
  // Where the last click landed, to cycle through stacked markers.
  QPoint last_click_{-1000, -1000};
};
