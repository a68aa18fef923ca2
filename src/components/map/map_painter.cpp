#include "map/map_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "map/map_backdrop.h"
#include "map/map_marker.h"
#include "map_geometry.h"

namespace {

// Grid lines at least this far apart; labels need the room.
constexpr double kGridSpacing = 60.0;
constexpr std::size_t kMaxGridLines = 256;
constexpr double kDirectionLength = 12.0;

const QColor kGridLine(255, 255, 255, 40);
const QColor kAxisLine(255, 255, 255, 100);
const QColor kGridText(255, 255, 255, 170);
const QColor kSnapLine(255, 255, 255, 22);

bool FinitePoint(const WorldPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

void PaintGradient(QPainter& painter, const QRect& area) {
  for (int i = 0; i < kMapGradientSteps; ++i) {
    const int y0 = area.top() + area.height() * i / kMapGradientSteps;
    const int y1 = area.top() + area.height() * (i + 1) / kMapGradientSteps;
    auto mix = [i](int a, int b) { return a + (b - a) * i / (kMapGradientSteps - 1); };
    painter.fillRect(
        area.left(), y0, area.width(), y1 - y0,
        QColor(mix(kMapTop.red(), kMapBottom.red()), mix(kMapTop.green(), kMapBottom.green()),
               mix(kMapTop.blue(), kMapBottom.blue())));
  }
}

QString Label(double value, double step, QChar separator) {
  return QString::fromStdString(GridLabel(
      value, step, static_cast<char>(separator.unicode() < 0x80 ? separator.unicode() : '.')));
}

// The grid's lines, no further apart than kGridSpacing on screen.
struct Grid {
  std::vector<double> xs;
  std::vector<double> ys;
  double step = 0;
};

Grid GridOf(const MapTransform& transform) {
  Grid lines;
  lines.step = GridStep(transform.Scale(), kGridSpacing);
  const WorldPoint top_left = transform.ToWorld({0.0, 0.0});
  const WorldPoint bottom_right = transform.ToWorld({transform.Width(), transform.Height()});
  lines.xs = GridLines(top_left.x, bottom_right.x, lines.step, kMaxGridLines);
  lines.ys = GridLines(bottom_right.y, top_left.y, lines.step, kMaxGridLines);
  return lines;
}

QFont GridFont(const QFont& base) {
  QFont font = base;
  font.setPixelSize(9);
  return font;
}

// Vertical lines labelled along the bottom edge, horizontal ones along the left.
void PaintGrid(QPainter& painter, const QRect& area, const MapTransform& transform,
               QChar separator) {
  const Grid lines = GridOf(transform);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (double x : lines.xs) {
    const int sx = area.left() + qRound(transform.ToScreen({x, 0.0}).x);
    painter.setPen(std::abs(x) < lines.step / 2.0 ? kAxisLine : kGridLine);
    painter.drawLine(sx, area.top(), sx, area.bottom());
  }
  for (double y : lines.ys) {
    const int sy = area.top() + qRound(transform.ToScreen({0.0, y}).y);
    painter.setPen(std::abs(y) < lines.step / 2.0 ? kAxisLine : kGridLine);
    painter.drawLine(area.left(), sy, area.right(), sy);
  }

  const QFont font = GridFont(painter.font());
  painter.setFont(font);
  painter.setPen(kGridText);
  for (const MapGridLabel& label : MapGridLabels(area, transform, separator, font)) {
    painter.drawText(label.rect, Qt::AlignLeft | Qt::AlignVCenter, label.text);
  }
}

// Degrees, counter-clockwise from +X; screen y points down.
QPointF Direction(double angle) {
  const double radians = qDegreesToRadians(std::fmod(angle, 360.0));
  return QPointF(std::cos(radians), -std::sin(radians));
}

void PaintMarker(QPainter& painter, const QPointF& centre, const MapPoint& point, double angle,
                 bool selected) {
  const MarkerStyle style = MarkerStyleFor(point.key);
  if (std::isfinite(angle)) {
    const double length = selected ? kSelectedDirectionLength : kDirectionLength;
    const QPointF tip = centre + Direction(angle) * length;
    painter.setPen(QPen(selected ? Qt::white : style.colour, selected ? 2.0 : 1.5));
    painter.drawLine(centre, tip);
    if (selected) {
      painter.setPen(QPen(Qt::black, 1.0));
      painter.setBrush(Qt::white);
      painter.drawEllipse(tip, kHandleRadius, kHandleRadius);
    }
  }
  DrawMarker(painter, centre, selected ? kSelectedRadius : kMarkerRadius, style, selected);
}

// The picture at its edges, as the view shows them. A picture decoded at the
// size it is shown is copied, not scaled, so that panning only copies.
void PaintBackdrop(QPainter& painter, const QRect& area, const MapTransform& transform,
                   const MapBackdrop* backdrop) {
  if (backdrop == nullptr || !backdrop->IsSet() || !backdrop->Problem().isEmpty()) return;
  const QImage& image = backdrop->Image();
  if (image.isNull()) return;
  const QRectF target = backdrop->ScreenRect(transform).translated(area.topLeft());
  if (!target.intersects(QRectF(area))) return;
  painter.save();
  painter.setOpacity(backdrop->Place().opacity / 100.0);
  if (std::abs(target.width() - image.width()) <= 1.0 &&
      std::abs(target.height() - image.height()) <= 1.0) {
    painter.drawImage(target.topLeft().toPoint(), image);
  } else {
    painter.drawImage(target, image);
  }
  painter.restore();
}

// Faint lines at every multiple of the snapping step, when they are far
// enough apart to help.
void PaintSnapGrid(QPainter& painter, const QRect& area, const MapTransform& transform,
                   double step) {
  if (!(step > 0.0) || step * transform.Scale() < kSnapGridSpacing) return;
  const WorldPoint top_left = transform.ToWorld({0.0, 0.0});
  const WorldPoint bottom_right = transform.ToWorld({transform.Width(), transform.Height()});
  // 8 pixels apart: a screen holds at most a few hundred lines.
  const std::size_t most = 4096;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(kSnapLine);
  for (double x : GridLines(top_left.x, bottom_right.x, step, most)) {
    const int sx = area.left() + qRound(transform.ToScreen({x, 0.0}).x);
    painter.drawLine(sx, area.top(), sx, area.bottom());
  }
  for (double y : GridLines(bottom_right.y, top_left.y, step, most)) {
    const int sy = area.top() + qRound(transform.ToScreen({0.0, y}).y);
    painter.drawLine(area.left(), sy, area.right(), sy);
  }
}

// A marker of the group: drawn as usual inside a white ring. The ring is
// drawn without smoothing, so that a whole file in a group paints about as
// fast as the file alone.
void PaintGroupMarker(QPainter& painter, const QPointF& centre, const MapPoint& point,
                      double angle) {
  PaintMarker(painter, centre, point, angle, false);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::white, 0));
  painter.setBrush(Qt::NoBrush);
  const double ring = kMarkerRadius + 3.0;
  painter.drawEllipse(centre, ring, ring);
  painter.setRenderHint(QPainter::Antialiasing, true);
}

}  // namespace

std::vector<MapGridLabel> MapGridLabels(const QRect& area, const MapTransform& transform,
                                        QChar separator, const QFont& font) {
  const Grid lines = GridOf(transform);
  const QFontMetrics metrics(font);
  const int height = metrics.height();
  std::vector<MapGridLabel> labels;
  for (double x : lines.xs) {
    const int sx = area.left() + qRound(transform.ToScreen({x, 0.0}).x);
    const QString text = Label(x, lines.step, separator);
    labels.push_back(
        {QRect(sx + 2, area.bottom() - height, metrics.horizontalAdvance(text), height), text});
  }
  const std::size_t x_labels = labels.size();
  for (double y : lines.ys) {
    const int sy = area.top() + qRound(transform.ToScreen({0.0, y}).y);
    const QString text = Label(y, lines.step, separator);
    const QRect rect(area.left() + 2, sy - height, metrics.horizontalAdvance(text), height);
    const bool covers = std::any_of(labels.begin(), labels.begin() + std::ptrdiff_t(x_labels),
                                    [&](const MapGridLabel& x) { return x.rect.intersects(rect); });
    if (!covers) labels.push_back({rect, text});
  }
  return labels;
}

namespace {

bool InGroup(const MapScene& scene, int index) {
  return scene.group != nullptr && static_cast<std::size_t>(index) < scene.group->size() &&
         (*scene.group)[static_cast<std::size_t>(index)];
}

}  // namespace

WorldPoint ScenePosition(const MapScene& scene, int index) {
  if (index == scene.moved) return scene.moved_to;
  const MapPoint& point = (*scene.points)[static_cast<std::size_t>(index)];
  if (scene.group_moving && InGroup(scene, index)) {
    return {point.x + scene.group_offset.x, point.y + scene.group_offset.y};
  }
  if (scene.group_turning && InGroup(scene, index)) {
    const TTurnPoint turned =
        TurnAbout({{point.x, point.y, 0.0}}, {scene.group_centre.x, scene.group_centre.y, 0.0},
                  scene.group_turn)
            .front();
    return {turned.x, turned.y};
  }
  return {point.x, point.y};
}

double SceneAngle(const MapScene& scene, int index) {
  if (index == scene.turned) return scene.turned_to;
  const double angle = (*scene.points)[static_cast<std::size_t>(index)].angle;
  if (scene.group_turning && InGroup(scene, index) && std::isfinite(angle)) {
    return NormaliseAngle(angle + scene.group_turn);
  }
  return angle;
}

std::optional<QPointF> TurnHandlePosition(const MapTransform& transform, const MapScene& scene) {
  if (scene.points == nullptr || scene.selected < 0 ||
      scene.selected >= static_cast<int>(scene.points->size())) {
    return std::nullopt;
  }
  const WorldPoint world = ScenePosition(scene, scene.selected);
  const double angle = SceneAngle(scene, scene.selected);
  if (!FinitePoint(world) || !std::isfinite(angle)) return std::nullopt;
  const ScreenPoint at = transform.ToScreen(world);
  return QPointF(at.x, at.y) + Direction(angle) * kSelectedDirectionLength;
}

void PaintMap(QPainter& painter, const QRect& area, const MapTransform& transform,
              const MapScene& scene) {
  painter.save();
  painter.setClipRect(area);
  PaintGradient(painter, area);
  PaintBackdrop(painter, area, transform, scene.backdrop);
  PaintSnapGrid(painter, area, transform, scene.snap_step);
  PaintGrid(painter, area, transform, scene.separator);

  painter.setRenderHint(QPainter::Antialiasing, true);
  // Markers beyond this border are off the picture and cost nothing.
  const QRectF visible = QRectF(area).adjusted(-20, -20, 20, 20);
  const int count = scene.points == nullptr ? 0 : static_cast<int>(scene.points->size());
  enum class Look { Plain, Grouped, Selected };
  auto paint = [&](int index, Look look) {
    const WorldPoint world = ScenePosition(scene, index);
    if (!FinitePoint(world)) return;
    const ScreenPoint screen = transform.ToScreen(world);
    const QPointF centre(area.left() + screen.x, area.top() + screen.y);
    if (!visible.contains(centre)) return;
    const MapPoint& point = (*scene.points)[static_cast<std::size_t>(index)];
    const double angle = SceneAngle(scene, index);
    if (look == Look::Grouped) {
      PaintGroupMarker(painter, centre, point, angle);
    } else {
      PaintMarker(painter, centre, point, angle, look == Look::Selected);
    }
  };
  // The group above the others, the selected marker on top.
  for (int i = 0; i < count; ++i) {
    if (i != scene.selected && !InGroup(scene, i)) paint(i, Look::Plain);
  }
  for (int i = 0; i < count; ++i) {
    if (i != scene.selected && InGroup(scene, i)) paint(i, Look::Grouped);
  }
  if (scene.selected >= 0 && scene.selected < count) paint(scene.selected, Look::Selected);
  if (scene.preview != nullptr) {
    painter.setOpacity(0.5);
    for (const MapPoint& point : *scene.preview) {
      if (!FinitePoint({point.x, point.y})) continue;
      const ScreenPoint screen = transform.ToScreen({point.x, point.y});
      const QPointF centre(area.left() + screen.x, area.top() + screen.y);
      if (visible.contains(centre)) PaintMarker(painter, centre, point, point.angle, false);
    }
    painter.setOpacity(1.0);
  }
  if (!scene.area.isEmpty()) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::white, 1.0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(scene.area.translated(area.topLeft()));
  }
  painter.restore();
}

std::vector<int> MarkersAt(const MapTransform& transform, const MapScene& scene, QPointF screen) {
  std::vector<int> hits;
  if (scene.points == nullptr) return hits;
  for (int i = static_cast<int>(scene.points->size()) - 1; i >= 0; --i) {
    const WorldPoint world = ScenePosition(scene, i);
    if (!FinitePoint(world)) continue;
    const ScreenPoint at = transform.ToScreen(world);
    const double radius = i == scene.selected ? kSelectedRadius + 1.0 : kHitRadius;
    if (std::hypot(at.x - screen.x(), at.y - screen.y()) <= radius) hits.push_back(i);
  }
  return hits;
}
