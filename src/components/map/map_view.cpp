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

#include "map/press_gestures.h"

namespace {

// Room around a fit so that markers and their direction lines stay inside.
constexpr double kFitMargin = 24.0;
// One wheel notch zooms by this factor.
constexpr double kWheelZoom = 1.25;

bool FiniteMapPoint(const MapPoint& point) { return std::isfinite(point.x) && std::isfinite(point.y); }

std::optional<MapKey> GestureKey(int key) {
  switch (key) {
    case Qt::Key_Alt:
      return MapKey::Alt;
    case Qt::Key_Escape:
      return MapKey::Escape;
    case Qt::Key_Left:
      return MapKey::Left;
    case Qt::Key_Right:
      return MapKey::Right;
    case Qt::Key_Up:
      return MapKey::Up;
    case Qt::Key_Down:
      return MapKey::Down;
    default:
      return std::nullopt;
  }
}

}  // namespace

MapView::MapView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  state_.transform.SetViewport(width(), height());
  DescribeSelection();
}

void MapView::setPoints(std::vector<MapPoint> points) {
  state_.points = std::move(points);
  const int count = static_cast<int>(state_.points.size());
  if (state_.selected >= count) state_.selected = -1;
  if (state_.group.size() != state_.points.size()) {
    state_.group.assign(state_.points.size(), false);
    state_.group_size = 0;
  }
  tools_.StateChanged();
  const int hidden = static_cast<int>(std::count_if(state_.points.begin(), state_.points.end(),
                                                    [](const MapPoint& p) { return !FiniteMapPoint(p); }));
  if (hidden != hidden_) {
    hidden_ = hidden;
    emit hiddenCountChanged(hidden_);
  }
  DescribeSelection();
  update();
}

void MapView::setOverlay(MapOverlay overlay) {
  overlay_ = std::move(overlay);
  state_.overlay_shown = !overlay_.empty();
  DescribeSelection();
  update();
}

void MapView::setPointPosition(int index, double x, double y) {
  if (!state_.Has(index)) return;
  std::vector<MapPoint> points = state_.points;
  points[static_cast<std::size_t>(index)].x = x;
  points[static_cast<std::size_t>(index)].y = y;
  setPoints(std::move(points));
}

void MapView::setGroup(const std::vector<int>& indices) {
  std::vector<bool> group(state_.points.size(), false);
  int size = 0;
  for (int index : indices) {
    if (index < 0 || index >= static_cast<int>(group.size())) continue;
    size += group[static_cast<std::size_t>(index)] ? 0 : 1;
    group[static_cast<std::size_t>(index)] = true;
  }
  if (group == state_.group) return;
  state_.group = std::move(group);
  state_.group_size = size;
  tools_.StateChanged();
  DescribeSelection();
  update();
}

WorldPoint MapView::worldAt(QPointF position) const { return state_.WorldAt(position); }

std::optional<WorldPoint> MapView::dropPoint(QPoint global) const {
  return DropLanding(state_, mapFromGlobal(global), size());
}

void MapView::setSelected(int index) {
  const int selected = state_.Has(index) ? index : -1;
  if (selected == state_.selected) return;
  state_.selected = selected;
  DescribeSelection();
  update();
}

void MapView::setDecimalSeparator(QChar separator) {
  separator_ = separator;
  update();
}

void MapView::setBackdrop(const BackdropPlace& place) {
  state_.transform.SetViewport(width(), height());
  backdrop_.Set(place, state_.transform);
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
  state_.grid_step = std::isfinite(step) && step > 0.0 ? step : 0.0;
  update();
}

std::optional<QPointF> MapView::turnHandlePosition() const {
  return TurnHandlePosition(state_.transform, Scene());
}

QPointF MapView::screenPosition(int index) const {
  if (!state_.Has(index)) return {};
  const ScreenPoint at = state_.transform.ToScreen(ScenePosition(Scene(), index));
  return {at.x, at.y};
}

void MapView::fit() {
  // A hidden widget gets its resize event only when shown; its size is already right.
  state_.transform.SetViewport(width(), height());
  std::vector<WorldPoint> world;
  world.reserve(state_.points.size());
  for (const MapPoint& point : state_.points) world.push_back({point.x, point.y});
  state_.transform.Fit(world, kFitMargin);
  emit viewChanged(state_.transform.Scale());
  update();
}

// The tip's lines read as one sentence; a change is announced by Qt.
void MapView::DescribeSelection() {
  QString text = state_.selected < 0
                     ? QStringLiteral("No marker selected")
                     : QStringLiteral("Selected: ") + state_.Point(state_.selected).tip;
  text.replace(QLatin1Char('\n'), QStringLiteral(", "));
  if (state_.group_size >= 2) {
    text += QStringLiteral("; %1 markers in the group").arg(state_.group_size);
  }
  text += QStringLiteral("; %1 markers on the map").arg(state_.points.size());
  if (!overlay_.description.isEmpty()) text += QStringLiteral("; ") + overlay_.description;
  text = text.simplified();
  if (text != accessibleDescription()) setAccessibleDescription(text);
}

void MapView::setPreview(std::vector<MapPoint> points) {
  preview_ = std::move(points);
  update();
}

void MapView::setPickingPoint(bool picking) {
  state_.picking_point = picking;
  if (picking) {
    setCursor(Qt::CrossCursor);
  } else {
    unsetCursor();
  }
}

MapScene MapView::Scene() const {
  MapScene scene = StillScene(state_);
  scene.preview = preview_.empty() ? nullptr : &preview_;
  scene.separator = separator_;
  scene.backdrop = &backdrop_;
  scene.snap_step = state_.grid_step;
  tools_.Decorate(scene);
  return scene;
}

MapPointer MapView::Pointer(const QPointF& position, Qt::KeyboardModifiers modifiers) const {
  return {position, modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::AltModifier)};
}

void MapView::ReportPointer(QPointF position) {
  const WorldPoint world = worldAt(position);
  emit pointerMoved(world.x, world.y);
}

void MapView::ZoomAbout(QPointF anchor, double factor) {
  state_.transform.ZoomAbout({anchor.x(), anchor.y()}, factor);
  emit viewChanged(state_.transform.Scale());
  update();
}

// What the gestures report, as the signals the windows bind.
void MapView::Report(const MapReport& r) {
  using Kind = MapReport::Kind;
  switch (r.kind) {
    case Kind::Picked:
      return emit pointPicked(r.at.x, r.at.y);
    case Kind::Clicked:
      return emit pointClicked(r.index);
    case Kind::Dragged:
      update();
      return emit pointDragged(r.index, r.at.x, r.at.y);
    case Kind::Nudged:
      return emit pointNudged(r.index, r.dx, r.dy);
    case Kind::Toggled:
      return emit pointToggled(r.index);
    case Kind::AreaSelected:
      update();
      return emit areaSelected(r.from.x, r.from.y, r.at.x, r.at.y);
    case Kind::GroupMoved:
      update();
      return emit groupMoved(r.dx, r.dy);
    case Kind::GroupCleared:
      return emit groupCleared();
    case Kind::Turning:
      return emit pointTurning(r.index, r.angle);
    case Kind::Turned:
      return emit pointTurned(r.index, r.angle);
    case Kind::TurnCancelled:
      return emit turnCancelled(r.index);
    case Kind::GroupTurned:
      return emit groupTurned(r.angle);
    case Kind::DragMotion:
      update();
      return emit dragMotion(r.dx, r.dy);
    case Kind::TurnMotion:
      update();
      return emit turnMotion(r.angle);
    case Kind::MotionEnded:
      update();
      return emit motionEnded();
    case Kind::Panned:
      state_.transform.Pan(r.dx, r.dy);
      emit viewChanged(state_.transform.Scale());
      return update();
    case Kind::OverlayEnd:
      return emit overlayEndRequested();
    case Kind::PasteHere:
      return emit pasteHereRequested(r.at.x, r.at.y);
  }
}

// ---- Events ---------------------------------------------------------------

bool MapView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const std::vector<int> hits = MarkersAt(state_.transform, Scene(), help->pos());
    if (hits.empty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      const bool on_selected = std::find(hits.begin(), hits.end(), state_.selected) != hits.end();
      const int top = on_selected ? state_.selected : hits.front();
      QToolTip::showText(help->globalPos(), state_.Point(top).tip, this);
    }
    return true;
  }
  return QWidget::event(event);
}

void MapView::paintEvent(QPaintEvent*) {
  state_.transform.SetViewport(width(), height());
  backdrop_.Prepare(state_.transform);
  ReportBackdrop();
  QPainter painter(this);
  PaintMap(painter, rect(), state_.transform, Scene());
  if (!overlay_.marks.empty()) PaintOverlay(painter, state_.transform, overlay_);
}

void MapView::resizeEvent(QResizeEvent* event) {
  state_.transform.SetViewport(width(), height());
  QWidget::resizeEvent(event);
}

void MapView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  state_.drag_distance = QApplication::startDragDistance();
  tools_.Press(Pointer(event->position(), event->modifiers()));
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
  ReportPointer(event->position());
  if (!tools_.Running()) return;
  tools_.Move(Pointer(event->position(), event->modifiers()));
  update();  // the gesture's picture follows the pointer
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  tools_.Release(Pointer(event->position(), event->modifiers()));
}

void MapView::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y();
  if (notches == 0) return;
  ZoomAbout(event->position(), std::pow(kWheelZoom, notches / 120.0));
  ReportPointer(event->position());
}

void MapView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Home) return fit();
  if (key == Qt::Key_Plus || key == Qt::Key_Minus) {
    const double factor = key == Qt::Key_Plus ? kWheelZoom : 1.0 / kWheelZoom;
    return ZoomAbout({width() / 2.0, height() / 2.0}, factor);
  }
  const std::optional<MapKey> gesture_key = GestureKey(key);
  const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
  if (!gesture_key || !tools_.Key(*gesture_key, shift)) QWidget::keyPressEvent(event);
}

void MapView::leaveEvent(QEvent* event) {
  emit pointerLeft();
  QWidget::leaveEvent(event);
}

void MapView::focusOutEvent(QFocusEvent* event) {
  tools_.Cancel(MapCancel::FocusLost);
  QWidget::focusOutEvent(event);
}

void MapView::contextMenuEvent(QContextMenuEvent* event) {
  tools_.Paste().Open(event->pos());
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("MapMenu"));
  QAction* paste = menu.addAction(tr("Paste Here"));
  paste->setObjectName(QStringLiteral("PasteHere1"));
  paste->setEnabled(paste_here_enabled_);
  connect(paste, &QAction::triggered, this, [this] { tools_.Paste().Choose(); });
  QAction* backdrop = menu.addAction(QStringLiteral("Backdrop\u2026"));
  backdrop->setObjectName(QStringLiteral("MapBackdrop1"));
  connect(backdrop, &QAction::triggered, this, &MapView::backdropRequested);
  if (!context_actions_.isEmpty()) menu.addSeparator();
  menu.addActions(context_actions_);
  menu.exec(event->globalPos());
}
