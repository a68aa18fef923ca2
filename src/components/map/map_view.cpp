#include "map/map_view.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// Room around a fit so that markers and their direction lines stay inside.
constexpr double kFitMargin = 24.0;
// One wheel notch zooms by this factor.
constexpr double kWheelZoom = 1.25;
// Presses this close to the last click count as the same spot.
constexpr int kSameSpot = 3;

bool Finite(const MapPoint& point) { return std::isfinite(point.x) && std::isfinite(point.y); }

}  // namespace

MapView::MapView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  transform_.SetViewport(width(), height());
  DescribeSelection();
}

void MapView::setPoints(std::vector<MapPoint> points) {
  points_ = std::move(points);
  const int count = static_cast<int>(points_.size());
  if (selected_ >= count) selected_ = -1;
  if (pressed_marker_ >= count) CancelDrag();
  if (group_.size() != points_.size()) {
    group_.assign(points_.size(), false);
    group_size_ = 0;
  }
  const int hidden = static_cast<int>(
      std::count_if(points_.begin(), points_.end(), [](const MapPoint& p) { return !Finite(p); }));
  if (hidden != hidden_) {
    hidden_ = hidden;
    emit hiddenCountChanged(hidden_);
  }
  DescribeSelection();
  update();
}

void MapView::setPointPosition(int index, double x, double y) {
  if (index < 0 || index >= static_cast<int>(points_.size())) return;
  std::vector<MapPoint> points = points_;
  points[static_cast<std::size_t>(index)].x = x;
  points[static_cast<std::size_t>(index)].y = y;
  setPoints(std::move(points));
}

void MapView::setGroup(const std::vector<int>& indices) {
  std::vector<bool> group(points_.size(), false);
  int size = 0;
  for (int index : indices) {
    if (index < 0 || index >= static_cast<int>(group.size())) continue;
    size += group[static_cast<std::size_t>(index)] ? 0 : 1;
    group[static_cast<std::size_t>(index)] = true;
  }
  if (group == group_) return;
  group_ = std::move(group);
  group_size_ = size;
  if (drag_ == Drag::Group && group_size_ < 2) CancelDrag();
  DescribeSelection();
  update();
}

WorldPoint MapView::worldAt(QPointF position) const {
  return transform_.ToWorld({position.x(), position.y()});
}

bool MapView::MovesGroup(int index) const {
  return group_size_ >= 2 && index >= 0 && static_cast<std::size_t>(index) < group_.size() &&
         group_[static_cast<std::size_t>(index)];
}

void MapView::setSelected(int index) {
  const int selected = index >= 0 && index < static_cast<int>(points_.size()) ? index : -1;
  if (selected == selected_) return;
  selected_ = selected;
  DescribeSelection();
  update();
}

void MapView::setDecimalSeparator(QChar separator) {
  separator_ = separator;
  update();
}

QPointF MapView::screenPosition(int index) const {
  if (index < 0 || index >= static_cast<int>(points_.size())) return {};
  const ScreenPoint at = transform_.ToScreen(ScenePosition(Scene(), index));
  return {at.x, at.y};
}

void MapView::fit() {
  // A hidden widget gets its resize event only when shown; its size is already right.
  transform_.SetViewport(width(), height());
  std::vector<WorldPoint> world;
  world.reserve(points_.size());
  for (const MapPoint& point : points_) world.push_back({point.x, point.y});
  transform_.Fit(world, kFitMargin);
  emit viewChanged(transform_.Scale());
  update();
}

// The tip's lines read as one sentence; a change is announced by Qt.
void MapView::DescribeSelection() {
  QString text = selected_ < 0 ? QStringLiteral("No marker selected")
                               : QStringLiteral("Selected: ") +
                                     points_[static_cast<std::size_t>(selected_)].tip;
  text.replace(QLatin1Char('\n'), QStringLiteral(", "));
  if (group_size_ >= 2) text += QStringLiteral("; %1 markers in the group").arg(group_size_);
  text += QStringLiteral("; %1 markers on the map").arg(points_.size());
  text = text.simplified();
  if (text != accessibleDescription()) setAccessibleDescription(text);
}

MapScene MapView::Scene() const {
  MapScene scene;
  scene.points = &points_;
  scene.selected = selected_;
  scene.separator = separator_;
  if (drag_ == Drag::Marker) {
    scene.moved = pressed_marker_;
    scene.moved_to = drag_to_;
  }
  scene.group = &group_;
  scene.group_moving = drag_ == Drag::Group;
  scene.group_offset = group_offset_;
  if (drag_ == Drag::Area) scene.area = QRectF(press_position_, last_position_).normalized();
  return scene;
}

// The selected marker lies on top, so it wins a first click; a click on the
// same spot again takes the next marker of the stack, round and round.
int MapView::ChooseAt(QPointF position) const {
  const std::vector<int> hits = MarkersAt(transform_, Scene(), position);
  if (hits.empty()) return -1;
  const auto selected = std::find(hits.begin(), hits.end(), selected_);
  if (selected == hits.end()) return hits.front();
  const bool same_spot = (position.toPoint() - last_click_).manhattanLength() <= kSameSpot;
  if (!same_spot) return selected_;
  return hits[static_cast<std::size_t>(selected - hits.begin() + 1) % hits.size()];
}

// The marker a press would drag: the selected one whenever it is under the
// pointer, so a press on it never moves another marker of its stack.
int MapView::DragTargetAt(QPointF position) const {
  const std::vector<int> hits = MarkersAt(transform_, Scene(), position);
  if (hits.empty()) return -1;
  const bool on_selected = std::find(hits.begin(), hits.end(), selected_) != hits.end();
  return on_selected ? selected_ : hits.front();
}

void MapView::CancelDrag() {
  drag_ = Drag::None;
  pressed_marker_ = -1;
  update();
}

void MapView::ReportPointer(QPointF position) {
  const WorldPoint world = transform_.ToWorld({position.x(), position.y()});
  emit pointerMoved(world.x, world.y);
}

// ---- Events ---------------------------------------------------------------

bool MapView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const std::vector<int> hits = MarkersAt(transform_, Scene(), help->pos());
    if (hits.empty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      const bool on_selected = std::find(hits.begin(), hits.end(), selected_) != hits.end();
      const int top = on_selected ? selected_ : hits.front();
      QToolTip::showText(help->globalPos(), points_[static_cast<std::size_t>(top)].tip, this);
    }
    return true;
  }
  return QWidget::event(event);
}

void MapView::paintEvent(QPaintEvent*) {
  transform_.SetViewport(width(), height());
  QPainter painter(this);
  PaintMap(painter, rect(), transform_, Scene());
}

void MapView::resizeEvent(QResizeEvent* event) {
  transform_.SetViewport(width(), height());
  QWidget::resizeEvent(event);
}

void MapView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPointF position = event->position();
  press_position_ = last_position_ = position.toPoint();
  press_world_ = worldAt(position);
  if (event->modifiers() & Qt::ShiftModifier) {
    // Shift chooses markers for the group instead of moving anything.
    const int marker = ChooseAt(position);
    pressed_marker_ = -1;
    drag_ = marker < 0 ? Drag::Area : Drag::None;
    if (marker >= 0) emit pointToggled(marker);
    return;
  }
  // Stepping through a stack waits for the release: a press that becomes a
  // drag moves the marker the user sees selected.
  pressed_marker_ = DragTargetAt(position);
  if (pressed_marker_ < 0) {
    drag_ = Drag::Pan;
    last_click_ = QPoint(-1000, -1000);
    return;
  }
  drag_ = Drag::Pressed;
  const WorldPoint under = transform_.ToWorld({position.x(), position.y()});
  const MapPoint& marker = points_[static_cast<std::size_t>(pressed_marker_)];
  grab_offset_ = {marker.x - under.x, marker.y - under.y};
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF position = event->position();
  ReportPointer(position);
  const WorldPoint under = transform_.ToWorld({position.x(), position.y()});
  switch (drag_) {
    case Drag::Pressed:
      if ((position.toPoint() - press_position_).manhattanLength() <
          QApplication::startDragDistance()) {
        return;
      }
      if (MovesGroup(pressed_marker_)) {
        drag_ = Drag::Group;
        group_offset_ = {under.x - press_world_.x, under.y - press_world_.y};
        update();
        return;
      }
      // Only the selected marker moves: dragging another one selects it
      // first, the way a click would, and a refused selection stops the drag.
      if (pressed_marker_ != selected_) emit pointClicked(pressed_marker_);
      if (drag_ != Drag::Pressed || pressed_marker_ != selected_) {
        CancelDrag();
        return;
      }
      drag_ = Drag::Marker;
      [[fallthrough]];
    case Drag::Marker:
      drag_to_ = {under.x + grab_offset_.x, under.y + grab_offset_.y};
      update();
      return;
    case Drag::Group:
      group_offset_ = {under.x - press_world_.x, under.y - press_world_.y};
      update();
      return;
    case Drag::Area:
      last_position_ = position.toPoint();
      update();
      return;
    case Drag::Pan: {
      const QPoint delta = position.toPoint() - last_position_;
      last_position_ = position.toPoint();
      transform_.Pan(delta.x(), delta.y());
      emit viewChanged(transform_.Scale());
      update();
      return;
    }
    case Drag::None:
      return;
  }
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  const Drag drag = drag_;
  const int index = pressed_marker_;
  const WorldPoint to = drag_to_;
  drag_ = Drag::None;
  pressed_marker_ = -1;
  if (drag == Drag::Pressed) {
    const int clicked = ChooseAt(press_position_);
    last_click_ = press_position_;
    emit pointClicked(clicked);
  } else if (drag == Drag::Marker) {
    update();
    emit pointDragged(index, to.x, to.y);
  } else if (drag == Drag::Group) {
    update();
    emit groupMoved(group_offset_.x, group_offset_.y);
  } else if (drag == Drag::Area) {
    update();
    const WorldPoint corner = worldAt(event->position());
    emit areaSelected(press_world_.x, press_world_.y, corner.x, corner.y);
  }
}

void MapView::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y();
  if (notches == 0) return;
  const QPointF at = event->position();
  transform_.ZoomAbout({at.x(), at.y()}, std::pow(kWheelZoom, notches / 120.0));
  emit viewChanged(transform_.Scale());
  ReportPointer(at);
  update();
}

void MapView::keyPressEvent(QKeyEvent* event) {
  const double step = event->modifiers() & Qt::ShiftModifier ? 10.0 : 1.0;
  double dx = 0.0;
  double dy = 0.0;
  switch (event->key()) {
    case Qt::Key_Escape:
      if (drag_ != Drag::None && drag_ != Drag::Pan) {
        CancelDrag();
        return;
      }
      if (group_size_ > 0) {
        emit groupCleared();
        return;
      }
      break;
    case Qt::Key_Home:
      fit();
      return;
    case Qt::Key_Plus:
    case Qt::Key_Minus: {
      const double factor = event->key() == Qt::Key_Plus ? kWheelZoom : 1.0 / kWheelZoom;
      transform_.ZoomAbout({width() / 2.0, height() / 2.0}, factor);
      emit viewChanged(transform_.Scale());
      update();
      return;
    }
    case Qt::Key_Left:
      dx = -step;
      break;
    case Qt::Key_Right:
      dx = step;
      break;
    case Qt::Key_Up:
      dy = step;
      break;
    case Qt::Key_Down:
      dy = -step;
      break;
    default:
      break;
  }
  if (dx == 0.0 && dy == 0.0) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (drag_ != Drag::None) return;
  if (MovesGroup(selected_)) {
    emit groupMoved(dx, dy);
  } else if (selected_ >= 0 && Finite(points_[static_cast<std::size_t>(selected_)])) {
    emit pointNudged(selected_, dx, dy);
  }
}

void MapView::leaveEvent(QEvent* event) {
  emit pointerLeft();
  QWidget::leaveEvent(event);
}

void MapView::focusOutEvent(QFocusEvent* event) {
  if (drag_ == Drag::Marker || drag_ == Drag::Group || drag_ == Drag::Area) CancelDrag();
  QWidget::focusOutEvent(event);
}
