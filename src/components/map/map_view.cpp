#include "map/map_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "map_geometry.h"

namespace {

// Room around a fit so that markers and their direction lines stay inside.
constexpr double kFitMargin = 24.0;
// One wheel notch zooms by this factor.
constexpr double kWheelZoom = 1.25;
// Presses this close to the last click count as the same spot.
constexpr int kSameSpot = 3;

bool FiniteMapPoint(const MapPoint& point) { return std::isfinite(point.x) && std::isfinite(point.y); }

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
  if (pressed_marker_ >= count || turn_index_ >= count) CancelDrag();
  if (group_.size() != points_.size()) {
    group_.assign(points_.size(), false);
    group_size_ = 0;
  }
  const int hidden = static_cast<int>(
      std::count_if(points_.begin(), points_.end(), [](const MapPoint& p) { return !FiniteMapPoint(p); }));
  if (hidden != hidden_) {
    hidden_ = hidden;
    emit hiddenCountChanged(hidden_);
  }
  DescribeSelection();
  update();
}

void MapView::setOverlay(MapOverlay overlay) {
  overlay_ = std::move(overlay);
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
  if ((drag_ == Drag::Group || drag_ == Drag::GroupTurn) && group_size_ < 2) CancelDrag();
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

void MapView::setBackdrop(const BackdropPlace& place) {
  transform_.SetViewport(width(), height());
  backdrop_.Set(place, transform_);
  reported_problem_ = backdrop_.Problem();
  emit backdropProblemChanged(place.file, reported_problem_);
  update();
}

void MapView::clearBackdrop() {
  backdrop_.Clear();
  reported_problem_.clear();
  emit backdropProblemChanged({}, {});
  update();
}

// A picture can fail later too: zooming in reads it again.
void MapView::ReportBackdrop() {
  if (backdrop_.Problem() == reported_problem_) return;
  reported_problem_ = backdrop_.Problem();
  emit backdropProblemChanged(backdrop_.Place().file, reported_problem_);
}

void MapView::setGridStep(double step) {
  grid_step_ = std::isfinite(step) && step > 0.0 ? step : 0.0;
  update();
}

std::optional<QPointF> MapView::turnHandlePosition() const {
  return TurnHandlePosition(transform_, Scene());
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
  if (!overlay_.description.isEmpty()) text += QStringLiteral("; ") + overlay_.description;
  text = text.simplified();
  if (text != accessibleDescription()) setAccessibleDescription(text);
}

void MapView::setPreview(std::vector<MapPoint> points) {
  preview_ = std::move(points);
  update();
}

void MapView::setPickingPoint(bool picking) {
  picking_point_ = picking;
  if (picking) {
    setCursor(Qt::CrossCursor);
  } else {
    unsetCursor();
  }
}

MapScene MapView::Scene() const {
  MapScene scene;
  scene.preview = preview_.empty() ? nullptr : &preview_;
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
  if (drag_ == Drag::Turn && turn_moved_) {
    scene.turned = turn_index_;
    scene.turned_to = turn_to_;
  }
  scene.group_turning = drag_ == Drag::GroupTurn;
  scene.group_turn = group_turn_;
  scene.group_centre = turn_centre_;
  scene.backdrop = &backdrop_;
  scene.snap_step = grid_step_;
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
  const Drag drag = drag_;
  const int turned = turn_index_;
  drag_ = Drag::None;
  pressed_marker_ = -1;
  turn_index_ = -1;
  update();
  if (drag == Drag::Turn || drag == Drag::GroupTurn) emit turnCancelled(turned);
  if (drag != Drag::None && drag != Drag::Pan && drag != Drag::Pressed) emit motionEnded();
}

// The middle of the group's extent, as the editor turns it.
WorldPoint MapView::GroupCentre() const {
  std::vector<TTurnPoint> members;
  for (std::size_t i = 0; i < points_.size(); ++i) {
    if (group_[i]) members.push_back({points_[i].x, points_[i].y, 0.0});
  }
  const TTurnPoint centre = TurnCentre(members);
  return {centre.x, centre.y};
}

// A press on the selected marker's handle starts turning it (or its group).
bool MapView::StartTurn(QPointF position) {
  const std::optional<QPointF> handle = turnHandlePosition();
  if (!handle) return false;
  const QPointF off = position - *handle;
  if (std::hypot(off.x(), off.y()) > kHandleHitRadius) return false;
  Drag turn = Drag::Turn;
  if (MovesGroup(selected_)) {
    turn_centre_ = GroupCentre();
    const WorldPoint at = worldAt(position);
    const auto from = AngleTowards(at.x - turn_centre_.x, at.y - turn_centre_.y, false);
    if (!from) return false;  // a handle on the centre itself: nothing to turn by
    turn_from_ = *from;
    turn = Drag::GroupTurn;
  }
  drag_ = turn;
  turn_index_ = selected_;
  turn_moved_ = false;
  turn_to_ = points_[static_cast<std::size_t>(selected_)].angle;
  group_turn_ = 0.0;
  return true;
}

void MapView::Turn(const WorldPoint& under, bool snap) {
  if (drag_ == Drag::Turn) {
    const MapPoint& marker = points_[static_cast<std::size_t>(turn_index_)];
    const auto angle = AngleTowards(under.x - marker.x, under.y - marker.y, snap);
    if (!angle || (turn_moved_ && *angle == turn_to_)) return;
    turn_to_ = *angle;
    turn_moved_ = true;
    update();
    emit turnMotion(turn_to_);
    emit pointTurning(turn_index_, turn_to_);
    return;
  }
  const auto angle = AngleTowards(under.x - turn_centre_.x, under.y - turn_centre_.y, false);
  if (!angle) return;
  double turned = SignedTurn(*angle - turn_from_);
  if (snap) turned = SignedTurn(std::round(turned / kTurnSnapDegrees) * kTurnSnapDegrees);
  if (turn_moved_ && turned == group_turn_) return;
  group_turn_ = turned;
  turn_moved_ = true;
  update();
  emit turnMotion(group_turn_);
}

// The dragged marker or group follows the pointer, onto the grid when one is set.
void MapView::FollowPointer(const WorldPoint& under) {
  last_under_ = under;
  if (drag_ == Drag::Marker) {
    drag_to_ = {under.x + grab_offset_.x, under.y + grab_offset_.y};
    if (Snapping())
      drag_to_ = {SnapToGrid(drag_to_.x, grid_step_), SnapToGrid(drag_to_.y, grid_step_)};
    const MapPoint& marker = points_[static_cast<std::size_t>(pressed_marker_)];
    emit dragMotion(drag_to_.x - marker.x, drag_to_.y - marker.y);
  } else if (drag_ == Drag::Group) {
    group_offset_ = {under.x - press_world_.x, under.y - press_world_.y};
    const MapPoint& anchor = points_[static_cast<std::size_t>(pressed_marker_)];
    if (Snapping()) {
      // The marker under the pointer lands on the grid; the others keep their places to it.
      group_offset_ = {SnapToGrid(anchor.x + group_offset_.x, grid_step_) - anchor.x,
                       SnapToGrid(anchor.y + group_offset_.y, grid_step_) - anchor.y};
    }
    emit dragMotion(group_offset_.x, group_offset_.y);
  }
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
  backdrop_.Prepare(transform_);
  ReportBackdrop();
  QPainter painter(this);
  PaintMap(painter, rect(), transform_, Scene());
  if (!overlay_.marks.empty()) PaintOverlay(painter, transform_, overlay_);
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
  if (picking_point_) {
    emit pointPicked(press_world_.x, press_world_.y);
    return;
  }
  no_snap_ = event->modifiers() & Qt::AltModifier;
  // The handle wins over everything: Shift held from the start snaps the turn.
  if (StartTurn(position)) return;
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
  if (event->modifiers() & Qt::AltModifier) no_snap_ = true;
  switch (drag_) {
    case Drag::Pressed:
      if ((position.toPoint() - press_position_).manhattanLength() <
          QApplication::startDragDistance()) {
        return;
      }
      if (MovesGroup(pressed_marker_)) {
        drag_ = Drag::Group;
        FollowPointer(under);
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
    case Drag::Group:
      FollowPointer(under);
      return;
    case Drag::Turn:
    case Drag::GroupTurn:
      // A click on the handle that wobbles a pixel turns nothing.
      if (!turn_moved_ && (position.toPoint() - press_position_).manhattanLength() <= kSameSpot) {
        return;
      }
      Turn(under, event->modifiers() & Qt::ShiftModifier);
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
  const int turned = turn_index_;
  drag_ = Drag::None;
  pressed_marker_ = -1;
  turn_index_ = -1;
  if (drag == Drag::Marker || drag == Drag::Group || drag == Drag::Turn ||
      drag == Drag::GroupTurn) {
    emit motionEnded();
  }
  if (drag == Drag::Turn || drag == Drag::GroupTurn) {
    update();
    if (turn_moved_ && drag == Drag::Turn) emit pointTurned(turned, turn_to_);
    if (turn_moved_ && drag == Drag::GroupTurn && group_turn_ != 0.0) emit groupTurned(group_turn_);
    if (turn_moved_) return;
    // A click on the handle, not a turn: a marker under it is chosen as by
    // any click.
    const int clicked = ChooseAt(press_position_);
    if (clicked < 0) return;
    last_click_ = press_position_;
    emit pointClicked(clicked);
    return;
  }
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
    case Qt::Key_Alt:
      // Alt pressed in the middle of a drag frees it at once.
      if (drag_ == Drag::Marker || drag_ == Drag::Group) {
        if (!no_snap_) {
          no_snap_ = true;
          FollowPointer(last_under_);
        }
        return;
      }
      break;
    case Qt::Key_Escape:
      if (drag_ != Drag::None && drag_ != Drag::Pan) {
        CancelDrag();
        return;
      }
      if (group_size_ > 0) {
        emit groupCleared();
        return;
      }
      if (!overlay_.empty()) {
        emit overlayEndRequested();
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
  if (drag_ != Drag::None || selected_ < 0) return;
  const bool drawn = FiniteMapPoint(points_[static_cast<std::size_t>(selected_)]);
  if (grid_step_ > 0.0 && drawn) {
    // The selected marker moves to the next multiple the way the arrow
    // points and onto the grid the other way; a group keeps its shape around it.
    const MapPoint& at = points_[static_cast<std::size_t>(selected_)];
    const int steps = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    const double x = dx != 0.0 ? StepOnGrid(at.x, grid_step_, dx > 0 ? steps : -steps)
                               : SnapToGrid(at.x, grid_step_);
    const double y = dy != 0.0 ? StepOnGrid(at.y, grid_step_, dy > 0 ? steps : -steps)
                               : SnapToGrid(at.y, grid_step_);
    dx = x - at.x;
    dy = y - at.y;
  }
  if (MovesGroup(selected_)) {
    emit groupMoved(dx, dy);
  } else if (drawn) {
    emit pointNudged(selected_, dx, dy);
  }
}

void MapView::leaveEvent(QEvent* event) {
  emit pointerLeft();
  QWidget::leaveEvent(event);
}

void MapView::focusOutEvent(QFocusEvent* event) {
  if (drag_ == Drag::Marker || drag_ == Drag::Group || drag_ == Drag::Area || isTurning()) {
    CancelDrag();
  }
  QWidget::focusOutEvent(event);
}

void MapView::contextMenuEvent(QContextMenuEvent* event) {
  const WorldPoint at = worldAt(event->pos());
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("MapMenu"));
  QAction* paste = menu.addAction(tr("Paste Here"));
  paste->setObjectName(QStringLiteral("PasteHere1"));
  paste->setEnabled(paste_here_enabled_);
  connect(paste, &QAction::triggered, this, [this, at] { emit pasteHereRequested(at.x, at.y); });
  QAction* backdrop = menu.addAction(QStringLiteral("Backdrop\u2026"));
  backdrop->setObjectName(QStringLiteral("MapBackdrop1"));
  connect(backdrop, &QAction::triggered, this, &MapView::backdropRequested);
  if (!context_actions_.isEmpty()) menu.addSeparator();
  menu.addActions(context_actions_);
  menu.exec(event->globalPos());
}
