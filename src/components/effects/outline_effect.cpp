#include "effects/outline_effect.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

bool Drawn(const QRect& outline) { return outline.width() > 0 && outline.height() > 0; }

// The four one-pixel edges of an outline.
QRegion EdgesOf(const QRect& outline) {
  if (!Drawn(outline)) return {};
  QRegion edges(outline);
  if (outline.width() > 2 && outline.height() > 2) {
    edges -= QRegion(outline.adjusted(1, 1, -1, -1));
  }
  return edges;
}

QRect WholeScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->virtualGeometry() : QRect();
}

}  // namespace

void PlayOutlines(const QList<QRect>& outlines, std::chrono::milliseconds pause,
                  OutlineCanvas& canvas, OutlineCanvas::Clock::time_point start) {
  int step = 0;
  const auto next_step = [&] { canvas.waitUntil(start + ++step * pause); };
  for (qsizetype k = 1; k <= outlines.size(); ++k) {
    next_step();
    canvas.showOutlines(outlines.first(k));
  }
  // Drawing the outlines again in the same order takes each away.
  for (qsizetype k = 1; k <= outlines.size(); ++k) {
    next_step();
    canvas.showOutlines(outlines.sliced(k));
  }
  next_step();
}

QRect OutlineBounds(const QList<QRect>& outlines) {
  QRect bounds;
  for (const QRect& outline : outlines) {
    if (Drawn(outline)) bounds = bounds.united(outline);
  }
  return bounds;
}

OutlineEffect::OutlineEffect(const QRect& area)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      area_(area) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setGeometry(area_);
  setVisibleOutlines({});
}

bool OutlineEffect::isAvailable() {
  const QString platform = QGuiApplication::platformName();
  return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal") &&
         !platform.startsWith(QLatin1String("wayland")) && !WholeScreen().isEmpty();
}

QRegion OutlineEffect::edgesOnOverlay(const QList<QRect>& outlines) const {
  QRegion edges;
  for (const QRect& outline : outlines) edges += EdgesOf(outline.translated(-area_.topLeft()));
  return edges;
}

void OutlineEffect::setVisibleOutlines(const QList<QRect>& outlines) {
  QList<QRect> changed;
  for (const QRect& outline : visible_) {
    if (!outlines.contains(outline)) changed << outline;
  }
  for (const QRect& outline : outlines) {
    if (!visible_.contains(outline)) changed << outline;
  }
  visible_ = outlines;
  // Without a compositor a see-through window shows black; the mask keeps
  // only the outlines' own pixels on screen.
  const QRegion shape = edgesOnOverlay(visible_);
  setMask(shape.isEmpty() ? QRegion(0, 0, 1, 1) : shape);
  update(edgesOnOverlay(changed));
}

void OutlineEffect::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(event->rect(), Qt::transparent);
  // Alternate black and white pixels so that the outline shows on any background.
  QPen dotted(Qt::black, 0);
  dotted.setDashPattern({1, 1});
  for (const QRect& outline : visible_) {
    const QRect local = outline.translated(-area_.topLeft());
    if (!Drawn(local) || !event->rect().intersects(local)) continue;
    const QRect edge = local.adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(edge);
    painter.setPen(dotted);
    painter.drawRect(edge);
  }
}

// Waits in an event loop, so the overlay paints meanwhile; the user's input
// waits for the effect's end.
void OutlineEffect::waitUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  if (left.count() <= 0) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return;
  }
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(left);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void OutlineEffect::play(const QList<QRect>& outlines, std::chrono::milliseconds pause) {
  if (outlines.isEmpty() || !isAvailable()) return;
  QRect bounds = OutlineBounds(outlines);
  if (bounds.isEmpty()) bounds = QRect(outlines.front().topLeft(), QSize(1, 1));
  OutlineEffect overlay(bounds);
  overlay.show();
  PlayOutlines(outlines, pause, overlay, Clock::now());
}

QList<QRect> OpeningEffectOutlines(QPoint pointer, const QRect& frame, int steps) {
  QList<QRect> outlines;
  if (steps <= 0) return outlines;
  const int left = frame.left();
  const int top = frame.top();
  const int right = left + frame.width();
  const int bottom = top + frame.height();
  for (int k = 1; k <= steps; ++k) {
    outlines << QRect(pointer.x() + k * (left - pointer.x()) / steps,
                      pointer.y() + k * (top - pointer.y()) / steps, k * (right - left) / steps,
                      k * (bottom - top) / steps);
  }
  return outlines;
}
